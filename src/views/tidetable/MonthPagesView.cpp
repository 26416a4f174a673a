#include "views/tidetable/MonthPagesView.h"

#include <QEvent>
#include <QFontInfo>
#include <QPaintEvent>
#include <QPainter>

namespace ondrel {

namespace {
// An A4 page in points, and the space around each page on screen.
constexpr double kPageWidth = 595.3;
constexpr double kPageHeight = 841.9;
constexpr int kGap = 12;
} // namespace

MonthPagesView::MonthPagesView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PagesMois"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MonthPagesView::setPages(std::vector<TideTableMonth> months, const TideTablePageHeader& header,
                              const TideTablePageOptions& options) {
    months_ = std::move(months);
    header_ = header;
    options_ = options;
    resize(sizeHint());
    updateGeometry();
    update();
}

void MonthPagesView::clear() {
    setPages({}, {}, options_);
}

// A page point is as large on screen as the window's text is to the pages' text size.
QSize MonthPagesView::pageSize() const {
    const double scale = QFontInfo(font()).pixelSize() / double(std::max(1, options_.pointSize));
    return QSize(qRound(kPageWidth * scale), qRound(kPageHeight * scale));
}

QRect MonthPagesView::pageRect(int index) const {
    const QSize page = pageSize();
    return QRect(QPoint(kGap, kGap + index * (page.height() + kGap)), page);
}

QSize MonthPagesView::sizeHint() const {
    const QSize page = pageSize();
    return QSize(page.width() + 2 * kGap, kGap + pageCount() * (page.height() + kGap));
}

void MonthPagesView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int i = 0; i < pageCount(); ++i) {
        const QRect page = pageRect(i);
        if (!page.intersects(event->rect())) continue;
        PaintMonthPage(painter, page, months_[static_cast<std::size_t>(i)], header_, options_);
    }
}

void MonthPagesView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        resize(sizeHint());
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

} // namespace ondrel
