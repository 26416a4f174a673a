// SecondaryPortWizard: adds a secondary port to the port table, or changes the name, position and
// corrections of one, in four pages shown in turn in one window: an explanation, the choice of
// the standard port, the name, position and eight corrections, and a summary from which the port
// is stored. The pages (SecondaryPortWizardPages) hold the controls; the wizard goes from one to
// the next, checks what was typed and stores the port.
#pragma once

#include "views/common/WindowContract.h"

#include "engine/PortRecord.h"
#include "views/common/TypeAhead.h"

#include <QDialog>
#include <QString>

#include <functional>

class QStackedWidget;

namespace ondrel {

struct Settings;
class CorrectionsPage;
class MessageBoxes;
class PortWindow;
class StandardPortPage;
class SummaryPage;
class WizardIntroPage;

class SecondaryPortWizard : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    SecondaryPortWizard(const Settings& settings, MessageBoxes& messages, PortWindow& ports,
                        QWidget* parent = nullptr);
    void retranslate() override;

    // Runs before page 2 is shown (the main window hides its curve and tide table there).
    void setBeforeStandardPortChoice(std::function<void()> hook) {
        beforeChoice_ = std::move(hook);
    }

    // Add mode, from page 1.
    void startAdd();
    // Modify mode, at page 3 filled from the table's current record (a secondary port).
    void startModify();

    int page() const; // 1 to 4

    // The buttons of the pages.
    void next();
    void previous();
    void cancel();
    // Stores the port (page 4's OK); false when nothing was stored.
    bool store();
    // A letter typed in page 2's list: the list starts at the letters typed about a second
    // apart or less.
    void standardPortKey(QChar key);

signals:
    // A port was written to the table: previousName is the name it had before a modification
    // (empty for a new port).
    void portStored(const QString& previousName, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void connectPages();
    void showPage(QWidget* page);
    void enterStandardPortChoice();
    bool chooseStandardPort();
    bool readCorrections();
    bool nameTaken(const QString& name) const;

    const Settings& settings_;
    MessageBoxes& messages_;
    PortWindow& ports_;
    std::function<void()> beforeChoice_;

    TypeAhead typed_;
    bool modifyMode_ = false;
    QString modifiedPortName_;
    QString standardName_;
    PortRecord standard_; // the standard port chosen on page 2
    PortRecord port_;     // the port being built
    QChar decimal_;

    QStackedWidget* pages_ = nullptr;
    WizardIntroPage* introPage_ = nullptr;
    StandardPortPage* standardPortPage_ = nullptr;
    CorrectionsPage* correctionsPage_ = nullptr;
    SummaryPage* summaryPage_ = nullptr;
};

} // namespace ondrel
