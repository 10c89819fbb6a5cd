// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows virtual-key codes: what both hosts hand to Form_KeyDown, what each style walks by, and
// what tests and the tool's --keys option press.

namespace quivra::vk {

constexpr int kClear = 12;   // keypad 5 with NumLock off
constexpr int kReturn = 13;
constexpr int kEscape = 27;
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kInsert = 45, kDelete = 46;
constexpr int k0 = '0';       // '0'..'9': 48..57
constexpr int kA = 'A';       // 'A'..'Z': 65..90, the letter's capital
constexpr int kD = 'D', kE = 'E', kQ = 'Q', kS = 'S', kW = 'W', kZ = 'Z';
constexpr int kPad0 = 96;     // keypad digits with NumLock on: 96..105
constexpr int kPad1 = 97, kPad2 = 98, kPad3 = 99, kPad4 = 100, kPad5 = 101, kPad6 = 102, kPad7 = 103,
              kPad8 = 104, kPad9 = 105;
constexpr int kF1 = 112;

}  // namespace quivra::vk
