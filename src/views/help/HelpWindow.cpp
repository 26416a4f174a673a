#include "views/help/HelpWindow.h"

#include "rules/HelpTopics.h"
#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "views/common/ScreenPlacement.h"
#include "views/help/HelpWindowTexts.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpFilterData>
#include <QHelpFilterEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace ondrel {

namespace {

const HelpWindowTexts kTexts;

QString FilterName(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("fr");
}

} // namespace

// Shows the pages of the collection; links out of it go to the system's browser or mail program.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (url.scheme() == u"qthelp") return engine_.fileData(url);
        return QTextBrowser::loadResource(type, name);
    }

protected:
    void doSetSource(const QUrl& url, QTextDocument::ResourceType type) override {
        const QUrl resolved = source().isValid() ? source().resolved(url) : url;
        if (resolved.scheme() == u"qthelp")
            QTextBrowser::doSetSource(resolved, type);
        else
            QDesktopServices::openUrl(resolved);
    }

private:
    QHelpEngine& engine_;
};

QString WorkingHelpCopy(const QString& collectionFile, const QString& folder) {
    const QFileInfo collection(collectionFile);
    if (!collection.isFile() || !QDir().mkpath(folder)) return {};
    QStringList files{collection.fileName()};
    files += collection.dir().entryList({QStringLiteral("*.qch")}, QDir::Files);
    // The copy is made again whenever it comes from another collection or another build of it.
    QString origin;
    for (const QString& name : files) {
        const QFileInfo from(collection.dir().filePath(name));
        origin += QStringLiteral("%1 %2 %3\n")
                      .arg(from.absoluteFilePath())
                      .arg(from.size())
                      .arg(from.lastModified().toMSecsSinceEpoch());
    }
    QFile stamp(QDir(folder).filePath(QStringLiteral("origin.txt")));
    const QString copy = QDir(folder).filePath(collection.fileName());
    if (QFileInfo::exists(copy) && stamp.open(QIODevice::ReadOnly) &&
        QString::fromUtf8(stamp.readAll()) == origin)
        return copy;
    stamp.close();
    for (const QString& name : files) {
        const QString to = QDir(folder).filePath(name);
        QFile::remove(to);
        if (!QFile::copy(collection.dir().filePath(name), to)) return {};
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    }
    if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    stamp.write(origin.toUtf8());
    return copy;
}

HelpWindow::HelpWindow(const Settings& settings, QWidget* parent)
    : QMainWindow(parent), settings_(settings) {
    setObjectName(QStringLiteral("TFAide"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(900, 640);
    retranslate();
}

HelpWindow::~HelpWindow() = default;

bool HelpWindow::open(const QString& collectionFile) {
    if (engine_) return true;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString copy =
        WorkingHelpCopy(collectionFile, QDir(cache).filePath(QStringLiteral("help")));
    if (copy.isEmpty()) return false;
    auto* engine = new QHelpEngine(copy, this);
    engine->setReadOnly(false);
    engine->setUsesFilterEngine(true);
    if (!engine->setupData() || engine->registeredDocumentations().isEmpty()) {
        delete engine;
        return false;
    }
    engine_ = engine;
    // One filter per language, each showing the documentation of its namespace.
    const QMap<QString, QString> components = engine_->filterEngine()->namespaceToComponent();
    for (Language l : {Language::French, Language::English}) {
        QHelpFilterData data;
        data.setComponents({components.value(HelpNamespace(l))});
        engine_->filterEngine()->setFilterData(FilterName(l), data);
    }
    buildPanels();
    connect(engine_->searchEngine(), &QHelpSearchEngine::indexingFinished, this, [this] {
        indexing_ = false;
        if (!pendingSearch_.isEmpty()) search(std::exchange(pendingSearch_, QString()));
    });
    indexing_ = true;
    engine_->searchEngine()->reindexDocumentation();
    retranslate();
    return true;
}

void HelpWindow::buildPanels() {
    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName(QStringLiteral("Onglets"));

    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("Sommaire"));
    tabs_->addTab(contents, QString());

    auto* indexPage = new QWidget;
    indexFilter_ = new QLineEdit(indexPage);
    indexFilter_->setObjectName(QStringLiteral("FiltreIndex"));
    indexFilter_->setClearButtonEnabled(true);
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setObjectName(QStringLiteral("Index"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(2, 2, 2, 2);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index, 1);
    tabs_->addTab(indexPage, QString());

    auto* searchPage = new QWidget;
    QHelpSearchEngine* searchEngine = engine_->searchEngine();
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(2, 2, 2, 2);
    searchLayout->addWidget(searchEngine->queryWidget());
    searchLayout->addWidget(searchEngine->resultWidget(), 1);
    tabs_->addTab(searchPage, QString());

    browser_ = new HelpBrowser(*engine_, splitter);
    browser_->setObjectName(QStringLiteral("Page"));
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    setCentralWidget(splitter);

    auto* bar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("BarrePages"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backAction_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
    backAction_->setObjectName(QStringLiteral("BRetour"));
    backAction_->setShortcut(QKeySequence::Back);
    forwardAction_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());
    forwardAction_->setObjectName(QStringLiteral("BAvance"));
    forwardAction_->setShortcut(QKeySequence::Forward);
    backAction_->setEnabled(false);
    forwardAction_->setEnabled(false);
    connect(backAction_, &QAction::triggered, this, [this] { back(); });
    connect(forwardAction_, &QAction::triggered, this, [this] { forward(); });
    connect(browser_, &QTextBrowser::backwardAvailable, backAction_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardAction_, &QAction::setEnabled);

    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandAll(); });
    connect(contents, &QHelpContentWidget::linkActivated, browser_,
            [this](const QUrl& url) { browser_->setSource(url); });
    // A single click opens the topic, as a click on a link does.
    connect(contents, &QTreeView::clicked, browser_, [this](const QModelIndex& index) {
        if (const QHelpContentItem* item = engine_->contentModel()->contentItemAt(index))
            browser_->setSource(item->url());
    });
    connect(index, &QHelpIndexWidget::documentActivated, browser_,
            [this](const QHelpLink& link, const QString&) { browser_->setSource(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, browser_,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty()) browser_->setSource(links.first().url);
            });
    connect(indexFilter_, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(searchEngine->queryWidget(), &QHelpSearchQueryWidget::search, this,
            [this] { search(engine_->searchEngine()->queryWidget()->searchInput()); });
    connect(searchEngine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, browser_,
            [this](const QUrl& url) { browser_->setSource(url); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this, contents](const QUrl& url) {
        const QModelIndex item = contents->indexOf(url);
        if (item.isValid()) contents->setCurrentIndex(item);
    });
}

// The index and the search follow the language: a search already made is made again in it.
void HelpWindow::useLanguageFilter() {
    const QString filter = FilterName(settings_.language());
    if (engine_->filterEngine()->activeFilter() == filter) return;
    engine_->filterEngine()->setActiveFilter(filter);
    const QString words = engine_->searchEngine()->queryWidget()->searchInput();
    if (!words.isEmpty()) search(words);
}

void HelpWindow::back() {
    if (browser_) browser_->backward();
}

void HelpWindow::forward() {
    if (browser_) browser_->forward();
}

void HelpWindow::showTopic(int context) {
    if (!engine_) return;
    retranslate();
    browser_->setSource(HelpTopicUrl(context, settings_.language()));
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::currentPage() const {
    return browser_ ? browser_->source() : QUrl();
}

void HelpWindow::search(const QString& words) {
    if (!engine_) return;
    engine_->searchEngine()->queryWidget()->setSearchInput(words);
    if (indexing_) {
        pendingSearch_ = words;
        return;
    }
    engine_->searchEngine()->search(words);
}

int HelpWindow::searchHits() const {
    return engine_ ? engine_->searchEngine()->searchResultCount() : 0;
}

void HelpWindow::retranslate() {
    const Language l = settings_.language();
    setWindowTitle(kTexts.caption.in(l));
    if (!engine_) return;
    useLanguageFilter();
    tabs_->setTabText(0, kTexts.contents.in(l));
    tabs_->setTabText(1, kTexts.index.in(l));
    tabs_->setTabText(2, kTexts.search.in(l));
    indexFilter_->setPlaceholderText(kTexts.indexFilter.in(l));
    backAction_->setText(kTexts.back.in(l));
    forwardAction_->setText(kTexts.forward.in(l));
    // The page shown follows the language too.
    const QUrl page = HelpPageInLanguage(browser_->source(), l);
    if (page != browser_->source()) browser_->setSource(page);
}

} // namespace ondrel
