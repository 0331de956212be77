#pragma once
// UserDialogs with real Qt dialogs, parented to the main window.
#include "editor/app/user_dialogs.h"
#include "editor/widgets/qt_file_filter.h"

#include <QString>

class QWidget;

namespace brenmark {

// The extension of a filter's first pattern ("xiu" for "*.xiu"), empty when it has none.
QString defaultSuffix(const std::string& pipes);

class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent) : parent_(parent) {}

    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    Answer askYesNoCancel(const std::string& text, const std::string& title) override;
    RecoveryAnswer offerRecovery(const RecoveryOffer& offer) override;
    bool editPreferences(Preferences& prefs) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggested) override;
    std::optional<NewPatternEntry> newPattern(const std::vector<std::string>& brands,
                                              const NewPatternEntry& entry) override;
    std::optional<int> chooseFabric(const std::vector<FabricChoice>& choices, int preselected) override;
    void manageThreads(ThreadManager& manager) override;
    std::optional<std::string> askLayerName() override;

private:
    QWidget* parent_;
    QString lastFolder_;
};

}  // namespace brenmark
