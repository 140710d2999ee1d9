#include <QApplication>
#include <QScreen>

#include "fonts.h"
#include "programfolder.h"
#include "tform1.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    installFontSubstitutes();

    TForm1 window(programFolder());
    if (!window.FormShow())
        return 0;
    // Without a window manager (a bare X server) maximizing does nothing: start at full size.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
