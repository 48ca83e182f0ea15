#include "web/applicationtitle.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(Orvella::windowCaption());
    window.resize(630, 382);
    window.show();
    return app.exec();
}
