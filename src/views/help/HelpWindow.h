// HelpWindow: the help pages of both languages, with their contents, index and full-text search,
// opened on the topic of a context number in the program's language.
#pragma once

#include "views/common/WindowContract.h"

#include <QMainWindow>
#include <QUrl>

class QHelpEngine;
class QAction;
class QLineEdit;
class QTabWidget;

namespace ondrel {

struct Settings;
class HelpBrowser;

class HelpWindow : public QMainWindow, public WindowContract {
    Q_OBJECT
public:
    explicit HelpWindow(const Settings& settings, QWidget* parent = nullptr);
    ~HelpWindow() override;
    void retranslate() override;

    // Opens the collection through a working copy in the user's cache folder (the search index
    // is written beside it). False when the file does not exist or is not a help collection.
    bool open(const QString& collectionFile);
    bool isOpen() const { return engine_ != nullptr; }

    // Shows the page of a context number in the program's language.
    void showTopic(int context);
    QUrl currentPage() const;
    // The number of pages the full-text search found for the last query.
    int searchHits() const;
    void search(const QString& words);
    // The pages seen before and after the one shown.
    void back();
    void forward();

private:
    void buildPanels();
    void useLanguageFilter();

    const Settings& settings_;
    QHelpEngine* engine_ = nullptr;
    // The full-text index is built in the background when the window is made; a search asked
    // meanwhile waits for it.
    bool indexing_ = false;
    QString pendingSearch_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    HelpBrowser* browser_ = nullptr;
    QAction* backAction_ = nullptr;
    QAction* forwardAction_ = nullptr;
};

// Copies the collection and its documentation files into folder unless the copy there was made
// from these very files; returns the copy's path, empty when a file could not be copied.
QString WorkingHelpCopy(const QString& collectionFile, const QString& folder);

} // namespace ondrel
