#include <QApplication>

#include "app/desktop.h"
#include "app/qt_form.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quivra::UseChineseToolkitTexts();
    quivra::QtForm window;
    window.show();
    return app.exec();
}
