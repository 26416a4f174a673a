// SecondaryPortsWindow: the secondary ports of the table with their standard ports; deletes the
// highlighted one after confirmation, or hands it to the wizard to be changed.
#pragma once

#include "views/common/TypeAhead.h"
#include "views/common/WindowContract.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTableView;

namespace ondrel {

struct Settings;
class MessageBoxes;
class PortListModel;
class PortWindow;
class SecondaryPortWizard;

class SecondaryPortsWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    SecondaryPortsWindow(const Settings& settings, MessageBoxes& messages, PortWindow& ports,
                         SecondaryPortWizard& wizard, QWidget* parent = nullptr);
    void retranslate() override;

    // Runs after a deletion was asked, whatever the answer: the main window clears its port.
    void setPortDisplayReset(std::function<void()> reset) { resetPortDisplay_ = std::move(reset); }

    // Deletes the highlighted port after confirmation; false when nothing was deleted.
    bool deleteHighlighted();
    void modifyHighlighted();
    // A key typed in the list: the list starts at the characters typed about a second apart or
    // less.
    void keyTyped(QChar key);
    int rowCount() const;
    void setCurrentRow(int row);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TypeAhead typed_;
    // The highlighted port's name, the table on it; empty when none.
    QString highlighted();

    const Settings& settings_;
    MessageBoxes& messages_;
    PortWindow& ports_;
    SecondaryPortWizard& wizard_;
    std::function<void()> resetPortDisplay_;
    PortListModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* modifyButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace ondrel
