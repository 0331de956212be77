#pragma once
// The colour operations' dialogs on screen.
#include "editor/app/colour_dialogs.h"

class QDialog;
class QWidget;

namespace brenmark {

class QtColourDialogs final : public ColourDialogs {
public:
    explicit QtColourDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<int> reduceCount(int threadsShown, int initial) override;
    std::optional<int> confettiStrength() override;
    std::optional<ReplaceAnswer> chooseReplacement(const std::string& title,
                                                   const std::vector<ThreadChoice>& patternThreads,
                                                   const std::vector<ThreadChoice>& paletteThreads) override;
    std::optional<ThreadChoice> chooseThreadToAdd(const std::vector<ThreadChoice>& paletteThreads) override;
    std::optional<std::optional<ThreadChoice>> chooseOutlineThread(const std::string& oldNumber,
                                                                   const std::vector<ThreadChoice>& paletteThreads) override;
    std::optional<std::string> chooseSymbol(const std::string& currentSymbol, const std::vector<std::string>& symbols,
                                            bool clearSymbols) override;

private:
    QWidget* parent_;
};

// "颜色符号代替" built but not shown, for whoever shows it (and the screenshot): the label,
// the grid of push-like buttons and OK/Cancel. The chosen symbol's index is the checked
// button's id in the dialog's "symbols" button group.
QDialog* makeSymbolDialog(QWidget* parent, const std::string& currentSymbol, const std::vector<std::string>& symbols,
                          bool clearSymbols = false);

}  // namespace brenmark
