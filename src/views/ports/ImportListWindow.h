// ImportListWindow: the names of the ports an import added, and of those it skipped, listed while
// the import runs.
#pragma once

#include "views/common/WindowContract.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace ondrel {

struct Settings;

class ImportListWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    explicit ImportListWindow(const Settings& settings, QWidget* parent = nullptr);
    void retranslate() override;

    void clear();
    void addLine(const QString& line);
    QStringList lines() const;
    // Shows the window centred on the main window.
    void showCentred();

protected:
private:
    const Settings& settings_;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace ondrel
