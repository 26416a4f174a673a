#include "TFport.h"

#include "AppState.h"
#include "MessageBoxes.h"
#include "PortListModel.h"
#include "PortLoader.h"
#include "PortSelectionRules.h"
#include "TableLocation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ondrel {

namespace {
constexpr PortColumn kNameColumn = PortColumn::NOM;
constexpr PortColumn kLatitudeColumn = PortColumn::LATITUDE;
constexpr PortColumn kLongitudeColumn = PortColumn::LONGITUDE;
constexpr PortColumn kTimeZoneColumn = PortColumn::FUSEAU;
constexpr int kHelpContextPorts = 3;
const QString kRangeEnd = QStringLiteral("ZZZZZ");
} // namespace

// Image1 with its transparent layer calque: the world map and the red dot of the highlighted
// port.
class WorldMapView : public QWidget {
public:
    explicit WorldMapView(QWidget* parent) : QWidget(parent), map_(QStringLiteral(":/ports/worldmap.png")) {
        setObjectName(QStringLiteral("Image1"));
        setFixedSize(map_.isNull() ? QSize(354, 183) : map_.size());
    }
    void setMarker(QRect marker) {
        marker_ = marker;
        update();
    }
    QRect marker() const { return marker_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (map_.isNull())
            painter.fillRect(rect(), QColor(166, 206, 227));
        else
            painter.drawPixmap(0, 0, map_);
        if (marker_.isNull()) return;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(255, 0, 0));
        painter.setBrush(QColor(255, 0, 0));
        painter.drawEllipse(marker_);
    }

private:
    QPixmap map_;
    QRect marker_;
};

TFport::TFport(AppState& state, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("TFport"));
    setModal(false);

    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("panel1"));
    Edit1_ = new QLineEdit(panel1_);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setClearButtonEnabled(true);
    auto* panelLayout = new QVBoxLayout(panel1_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(Edit1_);

    DBGrid1_ = new QTableView(this);
    DBGrid1_->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1_->verticalHeader()->hide();
    DBGrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1_->verticalHeader()->setDefaultSectionSize(DBGrid1_->fontMetrics().height() + 4);
    DBGrid1_->horizontalHeader()->setStretchLastSection(true);
    DBGrid1_->setShowGrid(false);
    DBGrid1_->setAlternatingRowColors(true);
    DBGrid1_->setMinimumSize(DBGrid1_->fontMetrics().horizontalAdvance(QStringLiteral("BRICK KILN CREEK BELOW ROUTE 17, MM")) + 40, 260);

    Image1_ = new WorldMapView(this);

    BouttonOK_ = new QPushButton(this);
    BouttonOK_->setObjectName(QStringLiteral("BouttonOK"));
    BouttonOK_->setDefault(true);
    annuler_ = new QPushButton(this);
    annuler_->setObjectName(QStringLiteral("annuler"));
    annuler_->setAutoDefault(false);
    BPays_ = new QPushButton(this);
    BPays_->setObjectName(QStringLiteral("BPays"));
    BPays_->setAutoDefault(false);
    BPortAide_ = new QPushButton(this);
    BPortAide_->setObjectName(QStringLiteral("BPortAide"));
    BPortAide_->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(panel1_);
    left->addWidget(DBGrid1_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BouttonOK_);
    buttons->addWidget(annuler_);
    buttons->addStretch(1);
    buttons->addWidget(BPays_);
    buttons->addWidget(BPortAide_);
    auto* right = new QVBoxLayout;
    right->addWidget(Image1_);
    right->addStretch(1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    // The table: the working directory's, else the user's copy of the shipped one.
    const TableLocation location = LocatePortTable(state_.workingDirectory);
    if (location.path.isEmpty()) {
        tableError_ = location.error;
    } else {
        try {
            table_.setReadOnly(true);
            table_.open(location.path);
        } catch (const TableError& e) {
            tableError_ = QString::fromLocal8Bit(e.what());
        }
    }
    if (table_.isOpen())
        table_.setFilter([this](const PortTable& t) { return BDPortsFilterRecord(t, state_); });

    model_ = new PortListModel(table_, this);
    DBGrid1_->setModel(model_);

    connect(Edit1_, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    connect(DBGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { affiche_coordonnees(); });
    connect(DBGrid1_, &QTableView::doubleClicked, this, [this] { BouttonOKClick(); });
    connect(BouttonOK_, &QPushButton::clicked, this, [this] { BouttonOKClick(); });
    connect(annuler_, &QPushButton::clicked, this, [this] { annulerClick(); });
    connect(BPays_, &QPushButton::clicked, this, [this] { BPaysClick(); });
    connect(BPortAide_, &QPushButton::clicked, this, [this] { BPortAideClick(); });
    Edit1_->installEventFilter(this);

    FormCreate();
}

TFport::~TFport() = default;

void TFport::FormCreate() {
    ChargementLangue();
    if (!table_.isOpen()) return;
    try {
        table_.cancelRange();
        Edit1Change();
        table_.goNearest(NameKey(state_.settings.lastPortName));
        setCurrentRow(table_.atEnd() ? 0 : table_.visiblePosition());
    } catch (const TableError& e) {
        tableError_ = QString::fromLocal8Bit(e.what());
    }
}

void TFport::ChargementLangue() {
    const bool english = state_.settings.english();
    setWindowTitle(english ? QStringLiteral("Selection of the port") : QStringLiteral("Sélection d'un port"));
    const QString hint = english ? QStringLiteral("enter first letters of desired port name")
                                 : QStringLiteral("Entrez les premières lettres du port désiré");
    panel1_->setToolTip(hint);
    Edit1_->setToolTip(hint);
    Edit1_->setPlaceholderText(hint);
    BouttonOK_->setText(QStringLiteral("&OK"));
    BouttonOK_->setToolTip(english ? QStringLiteral("Validate the choice") : QStringLiteral("Valide le choix"));
    annuler_->setText(english ? QStringLiteral("&Cancel") : QStringLiteral("A&nnuler"));
    annuler_->setToolTip(english ? QStringLiteral("Close the window") : QStringLiteral("Ferme la fenêtre"));
    BPays_->setText(english ? QStringLiteral("&Countries...") : QStringLiteral("&Pays..."));
    BPortAide_->setText(english ? QStringLiteral("&Help") : QStringLiteral("&Aide"));
}

void TFport::Edit1Change() {
    if (!table_.isOpen()) return;
    try {
        table_.selectTag(QStringLiteral("Nom"));
        table_.setRange(NameKey(Edit1_->text()), kRangeEnd);
    } catch (const TableError& e) {
        tableError_ = QString::fromLocal8Bit(e.what());
    }
    model_->refresh();
    setCurrentRow(0);
}

void TFport::setCurrentRow(int row) {
    if (model_->rowCount() == 0) {
        Image1_->setMarker({});
        return;
    }
    const QModelIndex index = model_->index(std::clamp(row, 0, model_->rowCount() - 1), 0);
    DBGrid1_->setCurrentIndex(index);
    DBGrid1_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    affiche_coordonnees();
}

int TFport::currentRow() const {
    const QModelIndex index = DBGrid1_->currentIndex();
    return index.isValid() ? index.row() : -1;
}

QRect TFport::markerRect() const {
    return Image1_->marker();
}

void TFport::affiche_coordonnees() {
    if (!model_->moveTo(currentRow())) {
        Image1_->setMarker({});
        return;
    }
    const auto report = [this](const QString& text) { messages_.information(this, text); };
    const double lat = DegreesOfText(table_.text(kLatitudeColumn), report);
    const double lon = DegreesOfText(table_.text(kLongitudeColumn), report);
    Image1_->setMarker(MarkerRect(MapPosition(lat, lon)));
}

bool TFport::BouttonOKClick() {
    if (!model_->moveTo(currentRow())) return false;

    try {
        Chargement(table_, state_.port, [this](const QString& text) { messages_.information(this, text); });
    } catch (const TableError& e) {
        // A damaged row: the current port stays the one before.
        messages_.information(this, QString::fromUtf8(e.what()));
        return false;
    }
    state_.context.setCurrentTimeZone(state_.port.timeZone);

    ChosenPort chosen;
    chosen.name = table_.text(kNameColumn);
    state_.settings.lastPortName = chosen.name.left(kLastPortNameLength);
    try {
        chosen.countryLine = CountryLine(table_.zone(), state_.settings.english());
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

void TFport::annulerClick() {
    hide();
}

void TFport::reject() {
    annulerClick();
}

void TFport::BPaysClick() {
    emit countriesRequested();
    if (!model_->moveTo(currentRow())) return;
    qint64 zone = 0;
    try {
        zone = table_.zone();
    } catch (const TableError&) {
        zone = 0;
    }
    if (zone >= 100) return;
    QString text;
    if (state_.settings.french())
        text = QStringLiteral("Cette base de données ne contient pas d'informations sur les pays des ports. "
                              "Consultez le fichier d'aide pour plus d'informations");
    else if (state_.settings.english())
        text = QStringLiteral("Thie databse doesn't include information about the countries of ports. "
                              "See the help file for more information");
    else
        return;
    messages_.informationWithHelp(this, text, [this] {
        if (state_.help) state_.help(kHelpContextPorts);
    });
}

void TFport::BPortAideClick() {
    if (state_.help) state_.help(kHelpContextPorts);
}

bool TFport::selectNearest(const QString& name) {
    if (!table_.isOpen()) return false;
    {
        const QSignalBlocker blocker(Edit1_);
        Edit1_->clear();
    }
    try {
        table_.selectTag(QStringLiteral("Nom"));
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
        tableError_ = QString::fromLocal8Bit(e.what());
        return false;
    }
}

bool TFport::BDPortsFilterRecord(const PortTable& table, const AppState& state) {
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

void TFport::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) ChargementLangue();
    QDialog::changeEvent(event);
}

void TFport::showEvent(QShowEvent* event) {
    ChargementLangue();
    QDialog::showEvent(event);
    Edit1_->setFocus();
    Edit1_->selectAll();
}

// The list answers the arrow and page keys while the letters are being typed.
bool TFport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers());
            QCoreApplication::sendEvent(DBGrid1_, &copy);
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ondrel
