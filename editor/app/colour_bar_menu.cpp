#include "editor/app/colour_bar_menu.h"

#include "editor/app/colour_commands.h"
#include "editor/app/editor_session.h"
#include "editor/app/menu_builder.h"
#include "editor/app/qt_colour_dialogs.h"
#include "editor/output/confetti_cleanup.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QMenu>

namespace brenmark {

namespace {

constexpr struct {
    const char* caption;
    int id;
} kColourMenu[] = {
    {kMenuChangeSymbol, CmdChangeSymbol},
    {kMenuUseClearSymbols, CmdUseClearSymbols},
    {nullptr, 0},
    {kMenuSubtractThread, CmdSubtractThread},
    {kTitleReduceColours, CmdReduceColours},
    {UI_TEXT_NOOP("颜色替换"), CmdReplaceColour},
    {kTitleAreaReplace, CmdAreaReplaceColour},
    {UI_TEXT_NOOP("挖空指定颜色"), CmdHollowOutColour},
    {UI_TEXT_NOOP("删除未使用绣线"), CmdDeleteUnusedThreads},
    {kCleanConfettiCommand, CmdCleanConfetti},
    {UI_TEXT_NOOP("增加绣线"), CmdAddThread},
    {kTitleOutlineThread, CmdReplaceOutlineThread},
    {nullptr, 0},
    {kMenuClearLocks, CmdClearLocks},
};

}  // namespace

std::unique_ptr<ColourCommands> makeColourCommands(EditorSession& session, ColourDialogs* given,
                                                   std::unique_ptr<ColourDialogs>& own, MessageBoxes& messages,
                                                   QWidget* parent)
{
    if (!given) {
        own = std::make_unique<QtColourDialogs>(parent);
        given = own.get();
    }
    auto commands = std::make_unique<ColourCommands>(session, *given, messages);
    commands->route(session.router());
    return commands;
}

void addColourCommands(QMenu& menu, const CommandRouter& router, ColourCommands& commands)
{
    menu.addSeparator();
    for (const auto& row : kColourMenu) {
        if (!row.caption) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(menuText(row.caption));
        action->setObjectName(u"command%1"_qs.arg(row.id));
        const int id = row.id;
        QObject::connect(action, &QAction::triggered, &menu, [&router, id] { router.run(id); });
    }
    QMenu* brands = menu.addMenu(uiQStringOf(kMenuConvertBrand));
    brands->setObjectName(u"brandMenu"_qs);
    // The brands are those of the thread kind list now, less the pattern's own.
    QObject::connect(&menu, &QMenu::aboutToShow, brands, [brands, &commands] {
        brands->clear();
        for (const BrandMenuItem& item : commands.brandMenu()) {
            QAction* action = brands->addAction(menuText(item.caption));
            action->setObjectName(u"convertTo"_qs + fromGbk(item.brand));
            const std::string brand = item.brand;
            QObject::connect(action, &QAction::triggered, brands, [&commands, brand] { commands.convertBrand(brand); });
        }
        brands->setEnabled(!brands->isEmpty());
    });
}

}  // namespace brenmark
