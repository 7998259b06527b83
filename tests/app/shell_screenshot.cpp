// Renders the main window with the navigation desktop into a PNG file, logged in as "000" on a
// fresh demo-free SQLite database: a visual check that the Chinese captions render.
//   shell_screenshot <out.png>

#include "shellfixture.h"
#include "support/testdatabase.h"

#include "app/tfrmbtnimage.h"
#include "app/tfrmmain.h"
#include "app/tfrmoperlogin.h"
#include "platform/showmess.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: shell_screenshot <out.png>\n");
        return 2;
    }
    TestDatabase db(QStringLiteral("sqlite"));
    if (!db.ok()) {
        std::fprintf(stderr, "database: %s\n", qPrintable(db.error()));
        return 1;
    }
    QTemporaryDir dir;
    ShellFixture::resetSession(dir.path());
    MessageScript msgs;
    TFrmMain main;
    main.setGeometry(0, 0, 1100, 700);
    if (!ShellFixture::loginDirect(db.dm(), QStringLiteral("000"), &main))
        return 1;
    main.show();
    app.processEvents();
    if (auto *desktop = main.findChild<TFrmBtnImage *>())
        desktop->pageControl()->setCurrentWidget(desktop->page(1));
    app.processEvents();

    // The main window, and below it the open system menu.
    const QPixmap window = main.grab();
    QMenu *menu = main.findChild<QMenu *>(QStringLiteral("mi100"));
    menu->popup(main.mapToGlobal(QPoint(0, main.menuBar()->height())));
    app.processEvents();
    const QPixmap menuShot = menu->grab();
    menu->hide();
    // The login window as it opens at start-up.
    TfrmOperLogin login(TfrmOperLogin::StartUp, nullptr);
    login.show();
    app.processEvents();
    const QPixmap loginShot = login.grab();
    login.hide();

    const int below = qMax(menuShot.height(), loginShot.height()) + 10;
    QPixmap out(qMax(window.width(), menuShot.width() + loginShot.width() + 20), window.height() + below);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawPixmap(0, 0, window);
    p.drawPixmap(0, window.height() + 10, menuShot);
    p.drawPixmap(menuShot.width() + 20, window.height() + 10, loginShot);
    p.end();
    if (!out.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %s\n", argv[1]);
    main.endProgram();
    return 0;
}
