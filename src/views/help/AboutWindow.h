// AboutWindow: the program's name and version, the links to its home page and contact, and the
// credits of the shipped data with their licences and the program's own licence.
#pragma once

#include "views/common/WindowContract.h"

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace ondrel {

struct Settings;

class AboutWindow : public QDialog, public WindowContract {
    Q_OBJECT
public:
    explicit AboutWindow(const Settings& settings, QWidget* parent = nullptr);
    void retranslate() override;

    // Hands an address to the system (tests record it instead).
    std::function<void(const QUrl&)> openUrl;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggleCredits();

    const Settings& settings_;
    QLabel* picture_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* contact_ = nullptr;
    QLabel* homePage_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* creditsButton_ = nullptr;
    QTextBrowser* credits_ = nullptr;
};

// The about box's picture: a tide curve over the sea at dusk, drawn for the box.
QPixmap AboutPicture(const QSize& size);

} // namespace ondrel
