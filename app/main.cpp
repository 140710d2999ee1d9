#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "fonts.h"
#include "guard.h"
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
    // The lists open when the window first becomes active; a desktop without a window manager
    // may never activate it, so open them once the event loop runs as well (it is idempotent).
    QTimer::singleShot(0, &window, [&window] { guarded(&window, [&] { window.FormActivate(); }); });
    return app.exec();
}
