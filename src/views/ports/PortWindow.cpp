#include "views/ports/PortWindow.h"

#include "ports/CountryNames.h"
#include "ports/HarmonicsFile.h"
#include "ports/PortLoader.h"
#include "ports/PortSelectionRules.h"
#include "ports/PortTimeZone.h"
#include "ports/TableLocation.h"
#include "state/AppState.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "views/common/ButtonRow.h"
#include "views/common/MessageBoxes.h"
#include "views/common/Widgets.h"
#include "views/ports/PortListModel.h"
#include "views/ports/PortWindowTexts.h"
#include "views/ports/StationListModel.h"
#include "views/ports/WorldMapView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

namespace ondrel {

namespace {
constexpr PortColumn kNameColumn = PortColumn::NOM;
constexpr PortColumn kLatitudeColumn = PortColumn::LATITUDE;
constexpr PortColumn kLongitudeColumn = PortColumn::LONGITUDE;
constexpr PortColumn kTimeZoneColumn = PortColumn::FUSEAU;
constexpr int kHelpContextPorts = 3;

const PortWindowTexts kTexts;

// A list of names, one a row, as both lists of the window show theirs.
QTableView* NameList(QWidget* parent, const char* name) {
    auto* list = Named(new QTableView(parent), name);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setShowGrid(false);
    list->setAlternatingRowColors(true);
    return list;
}
} // namespace

PortWindow::PortWindow(AppState& state, MessageBoxes& messages, QWidget* parent)
    : ActivatedWindow(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("TFport"));
    setModal(false);
    buildNameField();
    buildPortList();
    map_ = new WorldMapView(this);
    buildButtons();
    layOut();
    openTable();
    model_ = new PortListModel(table_, this);
    portList_->setModel(model_);
    stationModel_ = new StationListModel(this);
    stationList_->setModel(stationModel_);
    connectControls();
    setUp();
}

// The name typed, in a panel of its own above the list.
void PortWindow::buildNameField() {
    listPanel_ = Named(new QWidget(this), "panel1");
    nameField_ = Named(new QLineEdit(listPanel_), "Edit1");
    nameField_->setClearButtonEnabled(true);
    auto* panelLayout = new QVBoxLayout(listPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(nameField_);
}

// The ports, one a row, wide enough for the longest names.
void PortWindow::buildPortList() {
    portList_ = NameList(this, "DBGrid1");
    portList_->setMinimumSize(portList_->fontMetrics().horizontalAdvance(
                                  QStringLiteral("BRICK KILN CREEK BELOW ROUTE 17, MM")) +
                                  40,
                              260);
    // The current stations, in a list of the same look behind a tab of their own.
    stationList_ = NameList(this, "DBGridCourants");
    lists_ = new QStackedWidget(this);
    lists_->addWidget(portList_);
    lists_->addWidget(stationList_);
    kinds_ = Named(new QTabBar(this), "OngletsListes");
    kinds_->addTab(QString());
    kinds_->addTab(QString());
    kinds_->setFocusPolicy(Qt::TabFocus);
}

// Only OK answers Enter.
void PortWindow::buildButtons() {
    okButton_ = NamedButton("BouttonOK", QString(), this);
    okButton_->setDefault(true);
    cancelButton_ = NamedButton("annuler", QString(), this);
    cancelButton_->setAutoDefault(false);
    countriesButton_ = NamedButton("BPays", QString(), this);
    countriesButton_->setAutoDefault(false);
    countriesButton_->setEnabled(false); // until a countries window is registered
    helpButton_ = NamedButton("BPortAide", QString(), this);
    helpButton_->setAutoDefault(false);
}

// The name and the list on the left; the map, then the buttons, on the right.
void PortWindow::layOut() {
    auto* left = new QVBoxLayout;
    left->addWidget(kinds_);
    left->addWidget(listPanel_);
    left->addWidget(lists_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);
    buttons->addWidget(countriesButton_);
    buttons->addWidget(helpButton_);
    auto* right = new QVBoxLayout;
    right->addWidget(map_);
    right->addStretch(1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
}

// The table: the working directory's, else the user's copy of the shipped one; what kept it
// from opening is kept for the message.
void PortWindow::openTable() {
    const TableLocation location = LocatePortTable(state_.workingDirectory);
    if (location.path.isEmpty()) {
        tableError_ = location.error;
    } else {
        try {
            table_.setReadOnly(true);
            table_.open(location.path);
        } catch (const TableError& e) {
            tableError_ = QString::fromUtf8(e.what());
        }
    }
    if (table_.isOpen())
        table_.setFilter([this](const PortTable& t) { return acceptsRecord(t, state_); });
    watchTable();
}

void PortWindow::watchTable() {
    const QString path = table_.fileName();
    if (path.isEmpty()) return;
    if (!watcher_) {
        watcher_ = new QFileSystemWatcher(this);
        // A writer replaces or appends to the file: the table is read again once it is quiet.
        connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
            QTimer::singleShot(300, this, [this] {
                if (table_.isOpen()) reopenTable(!table_.isReadOnly());
            });
        });
    }
    if (!watcher_->files().contains(path)) watcher_->addPath(path);
}

void PortWindow::connectControls() {
    connect(nameField_, &QLineEdit::textChanged, this, [this] { nameTyped(); });
    connect(portList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showPosition(); });
    connect(portList_, &QTableView::doubleClicked, this, [this] { confirm(); });
    connect(stationList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showPosition(); });
    connect(stationList_, &QTableView::doubleClicked, this, [this] { confirm(); });
    connect(kinds_, &QTabBar::currentChanged, this, [this](int tab) {
        lists_->setCurrentIndex(tab);
        nameTyped();
        nameField_->setFocus();
    });
    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(countriesButton_, &QPushButton::clicked, this, [this] { chooseCountries(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(); });
    nameField_->installEventFilter(this);
    portList_->viewport()->installEventFilter(this);
    stationList_->viewport()->installEventFilter(this);
}

PortWindow::~PortWindow() = default;

void PortWindow::setUp() {
    retranslate();
    if (!table_.isOpen()) return;
    try {
        table_.cancelRange();
        nameTyped();
        table_.goNearest(NameKey(state_.settings.lastPortName));
        setCurrentRow(table_.atEnd() ? 0 : table_.visiblePosition());
    } catch (const TableError& e) {
        tableError_ = QString::fromUtf8(e.what());
    }
}

void PortWindow::reopenTable(bool writable) {
    const QString path = table_.fileName();
    if (path.isEmpty()) return;
    const bool filtered = table_.isFiltered();
    try {
        table_.close();
        table_.setReadOnly(!writable);
        table_.open(path);
        if (filtered) table_.setFiltered(true);
    } catch (const TableError& e) {
        tableError_ = QString::fromUtf8(e.what());
    }
    refreshList();
    watchTable(); // a file replaced by its writer is watched again
}

QString PortWindow::reopenInOrder(PortTag tag) {
    reopenTable(true);
    if (!table_.isOpen()) return {};
    try {
        table_.cancelRange();
        table_.selectTag(tag);
    } catch (const TableError& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

void PortWindow::refreshList() {
    nameTyped();
}

void PortWindow::retranslate() {
    const Language l = state_.settings.language();
    setWindowTitle(kTexts.caption.in(l));
    model_->setHeadings({kCommonTexts.nameHeading.in(l)});
    stationModel_->setHeading(kCommonTexts.nameHeading.in(l));
    kinds_->setTabText(0, kTexts.tidePorts.in(l));
    kinds_->setTabText(1, kTexts.currentStations.in(l));
    const QString hint = kTexts.nameHint.in(l);
    listPanel_->setToolTip(hint);
    nameField_->setToolTip(hint);
    nameField_->setPlaceholderText(hint);
    okButton_->setText(QStringLiteral("&OK"));
    okButton_->setToolTip(kTexts.okHint.in(l));
    cancelButton_->setText(kCommonTexts.cancelWithKey.in(l));
    cancelButton_->setToolTip(kTexts.cancelHint.in(l));
    countriesButton_->setText(kTexts.countries.in(l));
    helpButton_->setText(kCommonTexts.helpWithKey.in(l));
}

void PortWindow::nameTyped() {
    if (showsStations()) {
        if (readStations())
            stationModel_->select(nameField_->text(), state_.settings.countrySelected);
        if (stationModel_->rowCount() == 0) {
            map_->setMarker({});
            return;
        }
        stationList_->setCurrentIndex(stationModel_->index(0, 0));
        stationList_->scrollTo(stationList_->currentIndex());
        showPosition();
        return;
    }
    if (!table_.isOpen()) return;
    try {
        table_.selectTag(PortTag::Name);
        table_.setRange(NameKey(nameField_->text()), kNameRangeEnd);
    } catch (const TableError& e) {
        tableError_ = QString::fromUtf8(e.what());
    }
    model_->refresh();
    setCurrentRow(0);
}

void PortWindow::setCurrentRow(int row) {
    if (model_->rowCount() == 0) {
        map_->setMarker({});
        return;
    }
    const QModelIndex index = model_->index(std::clamp(row, 0, model_->rowCount() - 1), 0);
    portList_->setCurrentIndex(index);
    portList_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    showPosition();
}

int PortWindow::currentRow() const {
    const QModelIndex index = portList_->currentIndex();
    return index.isValid() ? index.row() : -1;
}

QRect PortWindow::markerRect() const {
    return map_->marker();
}

void PortWindow::showPosition() {
    if (showsStations()) {
        const CurrentStation* s = highlightedStation();
        // The map counts longitudes west; the stations east.
        map_->setMarker(s ? MarkerRect(MapPosition(s->latitude, -s->longitude)) : QRect(), true);
        return;
    }
    if (!model_->moveTo(currentRow())) {
        map_->setMarker({});
        return;
    }
    const auto report = [this](const QString& text) { messages_.information(this, text); };
    const double lat = DegreesOfText(table_.text(kLatitudeColumn), report);
    const double lon = DegreesOfText(table_.text(kLongitudeColumn), report);
    map_->setMarker(MarkerRect(MapPosition(lat, lon)));
}

// The current row's zone, for the legal time: from the table's companion data when it is there,
// else from the rules of the country and the standard port. Looked up only while the legal time
// is the reference (choosing it in the options window loads the port again).
void PortWindow::followLegalZone() {
    state_.legalZoneName.clear();
    state_.legalZone.reset();
    state_.legalZoneProblem.clear();
    if (!state_.settings.timeReference.isPortLegal()) return;
    HarmonicsFile harmonics;
    harmonics.open(HarmonicsToReadFor(table_.fileName()));
    const PortZone zone = ZoneOfRow(table_, harmonics);
    state_.legalZoneName = zone.name;
    state_.legalZone =
        LegalZoneOf(zone, state_.settings.languageOr(Language::English), &state_.legalZoneProblem);
}

bool PortWindow::showsStations() const {
    return kinds_->currentIndex() == 1;
}

void PortWindow::showStations(bool stations) {
    kinds_->setCurrentIndex(stations ? 1 : 0);
}

bool PortWindow::readStations() {
    if (stationsRead_) return !stations_.stations().empty();
    stationsRead_ = true;
    if (stations_.open(CurrentsToReadFor(table_.fileName()))) {
        stationModel_->setStations(&stations_);
        return true;
    }
    messages_.information(this,
                          kTexts.noCurrents.in(state_.settings.language()).arg(stations_.error()));
    return false;
}

const CurrentStation* PortWindow::highlightedStation() const {
    const QModelIndex index = stationList_->currentIndex();
    return index.isValid() ? stationModel_->station(index.row()) : nullptr;
}

bool PortWindow::selectStation(const QString& id) {
    showStations(true);
    if (!readStations()) return false;
    {
        const QSignalBlocker blocker(nameField_);
        nameField_->clear();
    }
    stationModel_->select(QString(), state_.settings.countrySelected);
    const CurrentStation* s = stations_.find(id);
    const int row = s ? stationModel_->rowOf(s->id) : -1;
    if (row < 0) return false;
    stationList_->setCurrentIndex(stationModel_->index(row, 0));
    stationList_->scrollTo(stationList_->currentIndex(), QAbstractItemView::PositionAtCenter);
    return true;
}

// The station becomes the main window's: its stream, and its place and zone for the sun and the
// clocks.
bool PortWindow::confirmStation() {
    const CurrentStation* s = highlightedStation();
    if (!s) return false;
    const Language l = state_.settings.language();
    QString problem;
    std::optional<StationStream> stream = StreamOfStation(stations_, *s, &problem);
    if (!stream) {
        messages_.information(this, problem);
        return false;
    }
    state_.station = std::make_shared<const StationStream>(std::move(*stream));
    state_.port = PlaceOfStation(*s);
    state_.legalZoneName = s->timeZone;
    state_.legalZoneProblem.clear();
    state_.legalZone = SystemZone(s->timeZone, l, &state_.legalZoneProblem);
    state_.settings.lastStationId = s->id;

    ChosenPort chosen;
    chosen.name = s->name;
    chosen.countryLine =
        QStringLiteral("(") + CountryName(s->country, l).trimmed() + QStringLiteral(")");
    chosen.latitude = QString::fromStdString(state_.port.latitude);
    chosen.longitude = QString::fromStdString(state_.port.longitude);
    chosen.timeZone = QString::number(state_.port.timeZone);
    hide();
    emit stationConfirmed(chosen);
    return true;
}

bool PortWindow::confirm() {
    if (showsStations()) return confirmStation();
    if (!model_->moveTo(currentRow())) return false;

    try {
        Chargement(table_, state_.port,
                   [this](const QString& text) { messages_.information(this, text); });
    } catch (const TableError& e) {
        // A damaged row: the current port stays the one before.
        messages_.information(this, QString::fromUtf8(e.what()));
        return false;
    }
    followLegalZone();
    state_.station.reset();
    state_.settings.lastStationId.clear();

    ChosenPort chosen;
    chosen.name = table_.text(kNameColumn);
    state_.settings.lastPortName = chosen.name.left(kLastPortNameLength);
    try {
        chosen.countryLine = CountryLine(table_.zone(), state_.settings.language());
    } catch (const TableError&) {
        // No country line: the rest of the confirmation goes on.
    }
    chosen.latitude = table_.text(kLatitudeColumn);
    chosen.longitude = table_.text(kLongitudeColumn);
    chosen.timeZone = table_.text(kTimeZoneColumn);
    hide();
    emit portConfirmed(chosen);
    return true;
}

void PortWindow::cancel() {
    hide();
}

void PortWindow::reject() {
    cancel();
}

void PortWindow::chooseCountries() {
    emit countriesRequested();
    if (!model_->moveTo(currentRow())) return;
    qint64 zone = 0;
    try {
        zone = table_.zone();
    } catch (const TableError&) {
        zone = 0;
    }
    if (zone >= 100) return;
    // Nothing is said while no language is chosen.
    if (!state_.settings.languageChosen()) return;
    const QString text = kTexts.noCountries.in(state_.settings.language());
    messages_.informationWithHelp(this, text, [this] {
        if (state_.help) state_.help(kHelpContextPorts);
    });
}

void PortWindow::setCountriesAvailable(bool available) {
    countriesButton_->setEnabled(available);
}

void PortWindow::showHelp() {
    if (state_.help) state_.help(kHelpContextPorts);
}

bool PortWindow::selectNearest(const QString& name) {
    if (!table_.isOpen()) return false;
    showStations(false);
    {
        const QSignalBlocker blocker(nameField_);
        nameField_->clear();
    }
    try {
        table_.selectTag(PortTag::Name);
        table_.cancelRange();
        model_->refresh();
        table_.goNearest(NameKey(name));
        if (table_.atEnd()) {
            setCurrentRow(0);
            return false;
        }
        setCurrentRow(table_.visiblePosition());
        return true;
    } catch (const TableError& e) {
        tableError_ = QString::fromUtf8(e.what());
        return false;
    }
}

bool PortWindow::acceptsRecord(const PortTable& table, const AppState& state) {
    qint64 code = 0;
    if (table.columnCount() >= 2) {
        try {
            code = table.zone();
        } catch (const TableError&) {
            code = 0;
        }
    }
    return CountryFilterAccepts(code, state.settings.countrySelected);
}

void PortWindow::showEvent(QShowEvent* event) {
    retranslate();
    // Other windows walk the same table on other tags: the list comes back to the names.
    if (table_.isOpen() &&
        (table_.currentTag().compare(QStringLiteral("Nom"), Qt::CaseInsensitive) != 0 ||
         model_->rowCount() != table_.visibleCount()))
        nameTyped();
    QDialog::showEvent(event);
    nameField_->setFocus();
    nameField_->selectAll();
}

// The list answers the arrow and page keys while the letters are being typed.
bool PortWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers());
            QCoreApplication::sendEvent(showsStations() ? stationList_ : portList_, &copy);
            return true;
        }
        default:
            break;
        }
    }
    if (watched == portList_->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = cutNameAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, portList_->viewport());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString PortWindow::cutNameAt(const QPoint& viewportPos) const {
    const QModelIndex index = portList_->indexAt(viewportPos);
    if (!index.isValid()) return {};
    const QString name = index.data().toString();
    // The cell's text margins, as the view's style draws them.
    const int room = portList_->visualRect(index).width() - 8;
    return portList_->fontMetrics().horizontalAdvance(name) > room ? name : QString();
}

} // namespace ondrel
