#include <QApplication>

#include "app/qt_form.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quivra::QtForm window;
    window.show();
    return app.exec();
}
