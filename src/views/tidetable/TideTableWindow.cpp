#include "views/tidetable/TideTableWindow.h"

#include "engine/Julian.h"
#include "state/AppState.h"
#include "texts/Bilingual.h"
#include "texts/DateTimeJulian.h"
#include "texts/TideTableCalendar.h"
#include "texts/TideTableText.h"
#include "views/common/ButtonRow.h"
#include "views/common/MessageBoxes.h"
#include "views/common/ScreenPlacement.h"
#include "views/common/Widgets.h"
#include "views/tidetable/MonthPagesView.h"
#include "views/tidetable/TideTableTexts.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStringEncoder>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace ondrel {

namespace {

constexpr int kHelpTopic = 6;
// The table's characters on screen, in points: as readable as the program's other lists.
constexpr int kTableFontPoints = 9;
// Between the widest text of a column and the next tab stop, in pixels.
constexpr qreal kTabPadding = 4;
// The days' lines of the month pages are never smaller than this, in points.
constexpr int kSmallestPagePoints = 9;

const TideTableTexts kTexts;

// A date field that shows the long date ("mardi 10 mars 2026") and, while the user types in it,
// the same date without its weekday: a weekday that no longer matches the date being typed makes
// every intermediate year unreadable, so a typed year would be refused.
class LongDatePicker : public QDateTimeEdit {
public:
    LongDatePicker(const QDateTime& value, QWidget* parent) : QDateTimeEdit(value, parent) {
        setDisplayFormat(kLongDate);
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        setDisplayFormat(kTypedDate);
        QDateTimeEdit::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QDateTimeEdit::focusOutEvent(event);
        setDisplayFormat(kLongDate);
    }

private:
    static constexpr QLatin1StringView kLongDate{"dddd d MMMM yyyy"};
    static constexpr QLatin1StringView kTypedDate{"d MMMM yyyy"};
};

// The suffix of the file type chosen in the save dialog.
QString SuffixOfType(const QString& filter) {
    if (filter.contains(QLatin1String("csv"))) return QStringLiteral("csv");
    if (filter.contains(QLatin1String("ics"))) return QStringLiteral("ics");
    return QStringLiteral("txt");
}

// The text, spreadsheet or calendar file the table is saved to; empty when cancelled.
QString AskTextFile(QWidget* parent, Language l) {
    QFileDialog dialog(parent, kTexts.saveTitle.in(l), kTexts.fileName.in(l),
                       kTexts.fileTypes.in(l));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOfType(filter)); });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// The PDF file of the month pages; empty when cancelled.
QString AskPdfFile(QWidget* parent, const QString& title, Language l) {
    QFileDialog dialog(parent, title, kTexts.fileName.in(l) + QStringLiteral(".pdf"),
                       QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

TideTableWindow::TideTableWindow(AppState& state, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("TFAnnuaire"));
    setModal(false);
    setWindowTitle(QStringLiteral("Annuaire"));
    buildRangeFields();
    buildButtons();
    buildViews();
    layOut();
    connectControls();
    askSaveFile = [this] { return AskTextFile(this, state_.settings.language()); };
    askPdfFile = [this] {
        return AskPdfFile(this, kTexts.pdfTitle.in(state_.settings.language()),
                          state_.settings.language());
    };
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
}

// The first and last days, both pickers starting with the present date and time.
void TideTableWindow::buildRangeFields() {
    startLabel_ = Named(new QLabel(QStringLiteral("De :"), this), "Label1");
    endLabel_ = Named(new QLabel(QStringLiteral("A :"), this), "Label2");
    const QDateTime now = state_.clock();
    startPicker_ = Named(new LongDatePicker(now, this), "DateDebutPicker");
    endPicker_ = Named(new LongDatePicker(now, this), "DateFinPicker");
    for (QDateTimeEdit* picker : {startPicker_, endPicker_}) {
        picker->setCalendarPopup(true);
        picker->setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this] { updateRange(); });
        connect(picker, &QDateTimeEdit::editingFinished, this, [this] { updateRange(); });
    }
}

TideTableWindow::~TideTableWindow() {
    for (QDateTimeEdit* picker : {startPicker_, endPicker_})
        picker->disconnect(this);
}

// Calculate, then the row under the table; what needs a table waits for one.
void TideTableWindow::buildButtons() {
    okButton_ = NamedButton("BOK", QStringLiteral("Calcule"), this);
    okButton_->setDefault(true);
    printButton_ = NamedButton("BImprimer", QString(), this);
    printButton_->setIcon(
        QIcon::fromTheme(QStringLiteral("document-print"),
                         style()->standardIcon(QStyle::SP_FileDialogDetailedView)));
    saveButton_ = NamedButton("BSauvegarder", QString(), this);
    saveButton_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    pdfButton_ = NamedButton("BExportPdf", QStringLiteral("&PDF..."), this);
    pdfButton_->setEnabled(false);
    filterButton_ = NamedButton("BFiltre", QStringLiteral("filtre ... "), this);
    // The lines first: they are what the table has always been.
    viewChoice_ = Named(new QComboBox(this), "ChoixPresentation");
    // Wide enough for the longest item of either language.
    viewChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    viewChoice_->addItems(
        {kTexts.list.in(Language::French), kTexts.monthPages.in(Language::French)});
    closeButton_ = NamedButton("BFermer", QStringLiteral("Fermer"), this);
    printButton_->setEnabled(false);
    saveButton_->setEnabled(false);
}

// The two presentations of the table (the month pages hidden), the progress bar and the notice
// shown while printing.
void TideTableWindow::buildViews() {
    table_ = Named(new QTextEdit(this), "Table");
    table_->setReadOnly(true);
    table_->setAcceptRichText(false);
    table_->setLineWrapMode(QTextEdit::NoWrap);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    pages_ = new MonthPagesView;
    pagesArea_ = Named(new QScrollArea(this), "DefilementPages");
    pagesArea_->setWidget(pages_);
    pagesArea_->setAlignment(Qt::AlignHCenter);
    pagesArea_->hide();

    progressPanel_ = Named(new QWidget(this), "PanelProgressBar");
    progress_ = Named(new QProgressBar(progressPanel_), "ProgressBar");
    progress_->setRange(0, 100);
    auto* progressLayout = new QHBoxLayout(progressPanel_);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressLayout->addWidget(progress_);
    progressPanel_->hide();
    printingNotice_ =
        Named(new QLabel(QStringLiteral("Impression en cours..."), this), "PImpression");
    printingNotice_->setAlignment(Qt::AlignCenter);
    printingNotice_->setFrameShape(QFrame::Panel);
    printingNotice_->hide();
}

void TideTableWindow::layOut() {
    auto* range = new QHBoxLayout;
    range->addWidget(startLabel_);
    range->addWidget(startPicker_);
    range->addSpacing(12);
    range->addWidget(endLabel_);
    range->addWidget(endPicker_);
    range->addStretch(1);
    range->addWidget(okButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(pdfButton_);
    buttons->addWidget(filterButton_);
    buttons->addWidget(viewChoice_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(progressPanel_);
    layout->addWidget(table_, 1);
    layout->addWidget(pagesArea_, 1);
    layout->addWidget(printingNotice_, 1);
    layout->addLayout(buttons);
    resize(460, 560);
}

void TideTableWindow::connectControls() {
    connect(okButton_, &QPushButton::clicked, this, [this] { calculate(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(printButton_, &QPushButton::clicked, this, [this] { print(); });
    connect(pdfButton_, &QPushButton::clicked, this, [this] { exportPdf(); });
    connect(filterButton_, &QPushButton::clicked, this, [this] { showFilter(); });
    connect(viewChoice_, &QComboBox::currentIndexChanged, this, [this] { showChosenView(); });
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] {
        if (state_.help) state_.help(kHelpTopic);
    });
}

void TideTableWindow::retranslate() {
    if (!state_.settings.languageChosen()) return;
    const Language l = state_.settings.language();
    setWindowTitle(kTexts.caption.in(l));
    startLabel_->setText(kTexts.from.in(l));
    endLabel_->setText(kTexts.to.in(l));
    okButton_->setText(kTexts.calculate.in(l));
    printButton_->setToolTip(kTexts.printHint.in(l));
    saveButton_->setToolTip(kTexts.saveHint.in(l));
    pdfButton_->setText(kTexts.pdf.in(l));
    pdfButton_->setToolTip(kTexts.pdfHint.in(l));
    viewChoice_->setToolTip(kTexts.viewHint.in(l));
    viewChoice_->setItemText(0, kTexts.list.in(l));
    viewChoice_->setItemText(1, kTexts.monthPages.in(l));
    filterButton_->setText(kTexts.filter.in(l));
    filterButton_->setToolTip(kTexts.filterHint.in(l));
    closeButton_->setText(kTexts.close.in(l));
    printingNotice_->setText(kTexts.printing.in(l));
    // The long dates of the pickers in the program's language.
    const QLocale locale(l == Language::English ? QLocale::English : QLocale::French);
    for (QDateTimeEdit* picker : {startPicker_, endPicker_}) {
        picker->setLocale(locale);
        picker->calendarWidget()->setLocale(locale);
    }
}

void TideTableWindow::onActivated() {
    retranslate();
    // The filter is of tides: coefficients, heights, high and low waters.
    filterButton_->setEnabled(!state_.station);
    updateRange();
}

void TideTableWindow::showEvent(QShowEvent* event) {
    onActivated();
    QDialog::showEvent(event);
}

// Closing empties the table; the buttons stay as they are.
void TideTableWindow::closeEvent(QCloseEvent* event) {
    table_->clear();
    computed_ = {};
    pages_->clear();
    QDialog::closeEvent(event);
}

void TideTableWindow::updateRange() {
    start_ = JulianDayOf(startPicker_->dateTime());
    end_ = JulianDayOf(endPicker_->dateTime()) + 0.5;
}

void TideTableWindow::showFilter() {
    if (!filterWindow_) return;
    ShowBeside(filterWindow_, this);
}

QStringList TideTableWindow::lines() const {
    if (table_->document()->isEmpty()) return {};
    return table_->toPlainText().split(QLatin1Char('\n'));
}

// The user's decimal separator; a comma until it is known.
QString TideTableWindow::decimalSeparator() const {
    return state_.settings.decimalSeparator.isEmpty() ? QStringLiteral(",")
                                                      : state_.settings.decimalSeparator;
}

void TideTableWindow::calculate() {
    updateRange();
    const Language l = state_.settings.language();
    if (end_ < start_) {
        messages_.information(this, kTexts.endBeforeStart.in(l));
        return;
    }
    table_->clear();
    QFont font = table_->font();
    font.setPointSize(kTableFontPoints);
    table_->setFont(font);
    table_->setTabStopDistance(tabStop());
    if (state_.station) {
        calculateStream();
        return;
    }
    computedStream_ = false;

    progress_->setValue(0);
    progressPanel_->show();
    TideTableRequest request;
    request.port = state_.port;
    request.context = state_.context();
    request.start = start_;
    request.end = end_;
    request.unit = state_.settings.heightUnit;
    request.language = l;
    request.decimalSeparator = decimalSeparator();
    request.filter = state_.tideTableFilter;
    request.harmonics = state_.prediction.harmonicsFor(state_.port);
    computed_ = ComputeTideTable(request, [this](int percent) {
        if (percent == progress_->value()) return;
        progress_->setValue(percent);
        progress_->repaint();
        emit progressed(percent);
    });
    table_->setPlainText(computed_.lines.join(QLatin1Char('\n')));
    header_ = PageHeaderOf(request);
    computedFor_ = request;
    pages_->setPages(months(), header_, pageOptions());

    saveButton_->setEnabled(true);
    printButton_->setEnabled(true);
    pdfButton_->setEnabled(true);
    progressPanel_->hide();
}

// The current station's events from the first day to the last on the clock of the time reference.
void TideTableWindow::calculateStream() {
    const StationStream& stream = *state_.station;
    const CurrentStation& station = stream.station;
    const Language l = state_.settings.language();
    const QString separator = decimalSeparator();
    StreamTableRequest r;
    r.station = station.name + QStringLiteral(" (") + station.id + QLatin1Char(')') +
                DirectionsText(station.floodDirection, station.ebbDirection, l);
    r.from = startPicker_->date();
    r.to = endPicker_->date();
    r.unit = state_.settings.speedUnit;
    r.language = l;
    r.floodDirection = station.floodDirection;
    r.ebbDirection = station.ebbDirection;
    const TideContext context = state_.context();
    r.timeReference =
        context.followsLegalTime()
            ? LegalTimeReferenceLine(context, start_, l, separator)
            : TimeReferenceLine(state_.settings.timeReference, state_.port.timeZone, l, separator);
    streamEvents_ =
        EventsOnClock(stream.events(start_ - 1, end_ + 1.5), state_.settings.timeReference,
                      QTimeZone(station.timeZone.toUtf8()), r.from, r.to);
    computed_ = StreamTable(streamEvents_, r);
    computedStream_ = true;
    streamUnit_ = r.unit;
    table_->setPlainText(computed_.lines.join(QLatin1Char('\n')));
    computedFor_ = {};
    computedFor_.port = state_.port;
    computedFor_.language = l;
    header_ = {
        station.name,
        QString::fromStdString(state_.port.latitude) + QStringLiteral("   ") +
            QString::fromStdString(state_.port.longitude),
        r.timeReference,
        kTexts.speeds.in(l).arg(SpeedUnitText(r.unit, l),
                                DirectionsText(station.floodDirection, station.ebbDirection, l)
                                    .replace(QStringLiteral(": "), QStringLiteral(" ; ")))};
    pages_->setPages(months(), header_, pageOptions());
    saveButton_->setEnabled(true);
    printButton_->setEnabled(true);
    pdfButton_->setEnabled(true);
}

void TideTableWindow::save() {
    const QString file = askSaveFile ? askSaveFile() : QString();
    // A file that could not be written leaves the button enabled, to try another.
    if (!file.isEmpty() && !saveTo(file)) return;
    saveButton_->setEnabled(false);
}

bool TideTableWindow::saveTo(const QString& file) {
    const bool csv = file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    const bool ics = file.endsWith(QLatin1String(".ics"), Qt::CaseInsensitive);
    QByteArray bytes;
    QString problem;
    if (computedStream_ && ics) {
        messages_.information(this, kTexts.noStreamCalendar.in(computedFor_.language));
        return false;
    }
    if (computedStream_ && csv) {
        bytes = StreamTableCsv(streamEvents_, QString::fromStdString(computedFor_.port.name),
                               streamUnit_)
                    .toUtf8();
    } else if (csv) {
        bytes = TideTableCsv(computed_, computedFor_.port, computedFor_.unit, computedFor_.language)
                    .toUtf8();
    } else if (ics) {
        bytes = TideTableIcs(computed_, computedFor_.port, computedFor_.context, computedFor_.unit,
                             computedFor_.language, state_.clock().toUTC());
    } else {
        QString text;
        for (const QString& line : lines())
            text += line + QStringLiteral("\r\n");
        QStringEncoder encode(QStringConverter::System);
        bytes = encode(text);
    }
    QFile out(file);
    const bool existed = out.exists();
    // The text table is appended to what the file holds; a spreadsheet or calendar file is
    // replaced.
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (csv || ics ? QIODevice::Truncate : QIODevice::Append);
    if (problem.isEmpty() && !out.open(mode)) {
        problem = out.errorString();
    } else if (problem.isEmpty()) {
        const qint64 before = out.size();
        if (out.write(bytes) != bytes.size() || !out.flush()) {
            problem = out.errorString();
            out.resize(before); // what was there before stays, and nothing half written
        }
        out.close();
        if (!existed && !problem.isEmpty()) out.remove();
    }
    if (problem.isEmpty()) return true;
    messages_.information(this,
                          kTexts.notWritten.in(state_.settings.language()).arg(file, problem));
    return false;
}

void TideTableWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (askPrinter && !askPrinter(printer)) return;
    printTo(printer);
}

void TideTableWindow::printTo(QPrinter& printer) {
    printingNotice_->setText(kTexts.printing.in(state_.settings.language()));
    const bool listShown = table_->isVisible(), pagesShown = pagesArea_->isVisible();
    table_->hide();
    pagesArea_->hide();
    printingNotice_->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    printer.setDocName(QStringLiteral("horaires de marées de ") + header_.port);
    PaintTideTablePages(printer, months(), header_, pageOptions());

    printingNotice_->hide();
    table_->setVisible(listShown);
    pagesArea_->setVisible(pagesShown);
    printButton_->setEnabled(false);
}

void TideTableWindow::exportPdf() {
    const QString file = askPdfFile ? askPdfFile() : QString();
    if (!file.isEmpty()) exportPdfTo(file);
}

bool TideTableWindow::exportPdfTo(const QString& file) {
    const QPageSize::PageSizeId paper = QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                            ? QPageSize::Letter
                                            : QPageSize::A4;
    const QString problem = WriteTideTablePdf(file, months(), header_, pageOptions(), paper);
    if (problem.isEmpty()) return true;
    messages_.information(this,
                          kTexts.notWritten.in(state_.settings.language()).arg(file, problem));
    return false;
}

TideTablePageOptions TideTableWindow::pageOptions() const {
    TideTablePageOptions options;
    options.language = computedFor_.language;
    options.unit = computedFor_.unit;
    options.pointSize = std::max(kSmallestPagePoints, state_.settings.printFontSize);
    return options;
}

qreal TideTableWindow::tabStop() const {
    const QFontMetricsF metrics(table_->font());
    qreal widest = 0;
    const Language l = state_.settings.language();
    for (const QString& text : state_.station ? StreamTableFieldTexts(l) : TideTableFieldTexts(l))
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest + kTabPadding;
}

void TideTableWindow::setView(View view) {
    viewChoice_->setCurrentIndex(static_cast<int>(view));
}

TideTableWindow::View TideTableWindow::view() const {
    return viewChoice_->currentIndex() == 1 ? View::MonthPages : View::List;
}

// The pages need a wider window than the lines: it grows to show a whole page's width.
void TideTableWindow::showChosenView() {
    const bool pages = view() == View::MonthPages;
    table_->setVisible(!pages);
    pagesArea_->setVisible(pages);
    if (!pages) return;
    // The pages are whole months: the month of the range's start through the month of its end.
    const QDate first = startPicker_->date();
    const QDate last = endPicker_->date();
    const QDate monthStart(first.year(), first.month(), 1);
    const QDate monthEnd(last.year(), last.month(), last.daysInMonth());
    if (monthStart != first || monthEnd != last) {
        startPicker_->setDate(monthStart);
        endPicker_->setDate(monthEnd);
        if (!computed_.days.empty()) calculate();
    }
    const int wanted = pages_->sizeHint().width() +
                       pagesArea_->verticalScrollBar()->sizeHint().width() +
                       2 * pagesArea_->frameWidth() + (width() - pagesArea_->width());
    if (width() < wanted)
        setGeometry(FitOnScreen(QRect(pos(), QSize(wanted, std::max(height(), 700)))));
}

} // namespace ondrel
