#include "commandtable.h"

#include "tdlgdblink.h"
#include "tfrmmain.h"
#include "tfrmmodpass.h"

#include "masterdata/tfrmcltman.h"
#include "masterdata/tfrmcodeman.h"
#include "masterdata/tfrmgoodgl.h"
#include "masterdata/tfrmempman.h"
#include "masterdata/tfrmtreecodeman.h"
#include "documents/tfrmincaigoudeptgl.h"

#include <QAction>

// Adding a command: one row here, in code order, e.g.
//   Commands::mdi<TFrmGoodGl>(203, "基本资料", "货品资料管理"),
//   Commands::modal<TFrmCodeMan>(204, "基本资料", "选项..."),
// A command whose window does not exist has no row; its menu entry and desktop button are
// simply absent.
const QList<CommandRow> &commandTable()
{
    static const QList<CommandRow> rows{
        Commands::modal<TfrmModPass>(102, "系统管理", "更改用户密码"),
        Commands::modal<TDlgDbLink>(109, "系统管理", "连接网络数据", {},
                                    [](TDlgDbLink &, int result, TFrmMain &main) {
                                        // The new connection is read at the next start.
                                        if (result == QDialog::Accepted)
                                            main.endProgram();
                                    }),
        Commands::mdi<TfrmEmpMan>(201, "基本资料", "员工档案管理"),
        {202, QStringLiteral("基本资料"), QStringLiteral("供货厂商管理"), CommandKind::Mdi,
         [](TFrmMain &main) {
             // Suppliers only while the command is permitted; an open list is read again.
             if (QAction *a = Mdi::command(202); a && !a->isVisible())
                 return;
             const bool wasOpen = Mdi::findOpen(TfrmCltMan::staticMetaObject, Commands::mainArea(main));
             TfrmCltMan *w = Mdi::openOrActivate<TfrmCltMan>([] { return new TfrmCltMan(0); }, Commands::mainArea(main));
             if (wasOpen)
                 w->reload();
         }},
        Commands::mdi<TFrmGoodGl>(203, "基本资料", "货品资料管理"),
        Commands::modal<TFrmCodeMan>(204, "基本资料", "选项..."),
        Commands::modal<TFrmTreeCodeMan>(205, "基本资料", "货品类型设置", [](QWidget *p) { auto *d = new TFrmTreeCodeMan(p); d->SetUp(1); return d; }),
        Commands::mdi<TFrmInCaiGouDeptGl>(302, "采购管理", "采购进货管理"),
    };
    return rows;
}

const CommandRow *findCommand(int code)
{
    for (const CommandRow &row : commandTable())
        if (row.code == code)
            return &row;
    return nullptr;
}

namespace Commands {

CommandRow run(int code, const char *category, const char *caption, std::function<void(TFrmMain &)> routine)
{
    return {code, QString::fromUtf8(category), QString::fromUtf8(caption), CommandKind::Run, std::move(routine)};
}

QMdiArea *mainArea(TFrmMain &main) { return main.mdiArea(); }
QWidget *mainWidget(TFrmMain &main) { return &main; }

} // namespace Commands
