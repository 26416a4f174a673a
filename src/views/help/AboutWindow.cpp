#include "views/help/AboutWindow.h"

#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "texts/ProjectInfo.h"
#include "views/common/ButtonRow.h"
#include "views/help/AboutTexts.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <cmath>

namespace ondrel {

namespace {

const AboutTexts kTexts;

QLabel* LinkLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(p);
    label->setCursor(Qt::PointingHandCursor);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

QPixmap AboutPicture(const QSize& size) {
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(size));
    QLinearGradient sky(all.topLeft(), all.bottomLeft());
    sky.setColorAt(0, QColor(16, 38, 84));
    sky.setColorAt(0.55, QColor(236, 150, 88));
    sky.setColorAt(1, QColor(252, 214, 150));
    painter.fillRect(all, sky);
    // The sea: a tide curve of two high waters, its water below.
    QPainterPath sea;
    const double w = all.width(), h = all.height();
    sea.moveTo(0, h);
    for (int x = 0; x <= size.width(); ++x)
        sea.lineTo(x, h * 0.62 - h * 0.16 * std::cos(2 * M_PI * (x / w * 1.6 + 0.1)));
    sea.lineTo(w, h);
    sea.closeSubpath();
    QLinearGradient water(QPointF(0, h * 0.45), all.bottomLeft());
    water.setColorAt(0, QColor(26, 110, 170));
    water.setColorAt(1, QColor(8, 40, 80));
    painter.fillPath(sea, water);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
    painter.drawPath(sea);
    // The program's icon as a tide gauge on the shore.
    QSvgRenderer icon(QStringLiteral(":/icons/ondrel.svg"));
    const double side = std::min(w, h) * 0.42;
    icon.render(&painter, QRectF(w - side - 10, 10, side, side));
    return picture;
}

AboutWindow::AboutWindow(const Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    setObjectName(QStringLiteral("TApropos"));
    setModal(false);
    // A fixed frame without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture_ = new QLabel(panel);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setPixmap(AboutPicture(QSize(227, 179)));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(picture_);

    name_ = new QLabel(this);
    name_->setObjectName(QStringLiteral("Label1"));
    QFont big(QStringList{QStringLiteral("Franklin Gothic Demi Cond"),
                          QStringLiteral("DejaVu Sans Condensed"),
                          QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Sans Serif")});
    big.setPixelSize(48);
    big.setBold(true);
    name_->setFont(big);
    name_->setAlignment(Qt::AlignCenter);
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Panel2"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    version_ = new QLabel(QString::fromLatin1(kVersionText), this);
    version_->setObjectName(QStringLiteral("Label3"));
    version_->setAlignment(Qt::AlignCenter);
    contact_ = LinkLabel("Label2", this);
    contact_->setText(QString::fromLatin1(kContactAddress));
    homePage_ = LinkLabel("Label5", this);
    homePage_->setText(QString::fromLatin1(kHomePage));
    okButton_ = NamedButton("BitBtn1", QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    creditsButton_ = NamedButton("BCredits", QString(), this);
    creditsButton_->setAutoDefault(false);
    credits_ = new QTextBrowser(this);
    credits_->setObjectName(QStringLiteral("Credits"));
    credits_->setOpenExternalLinks(true);
    credits_->setMinimumSize(460, 240);
    credits_->hide();

    auto* right = new QVBoxLayout;
    right->addWidget(name_);
    right->addWidget(line);
    right->addWidget(version_);
    right->addStretch(1);
    right->addWidget(contact_);
    right->addWidget(homePage_);
    right->addStretch(1);
    right->addLayout(ButtonRow({creditsButton_, okButton_}));
    auto* top = new QHBoxLayout;
    top->addWidget(panel);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(credits_, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QLabel* clickable : {version_, contact_, homePage_})
        clickable->installEventFilter(this);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::hide);
    connect(creditsButton_, &QPushButton::clicked, this, [this] { toggleCredits(); });
    retranslate();
}

void AboutWindow::retranslate() {
    const Language l = settings_.language();
    setWindowTitle(kTexts.caption.in(l));
    name_->setText(kTexts.name.in(l));
    contact_->setToolTip(kTexts.contactHint.in(l));
    homePage_->setToolTip(kTexts.homePageHint.in(l));
    version_->setText(QString::fromLatin1(kVersionText));
    creditsButton_->setText(kTexts.credits.in(l));
    credits_->setHtml(kTexts.creditsText.in(l));
}

void AboutWindow::toggleCredits() {
    credits_->setVisible(!credits_->isVisible());
}

void AboutWindow::showEvent(QShowEvent* event) {
    retranslate();
    QDialog::showEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == version_) {
            hide();
            return true;
        }
        if (watched == contact_) {
            openUrl(QUrl(QString::fromLatin1(kContactUrl)));
            return true;
        }
        if (watched == homePage_) {
            openUrl(QUrl(homePage_->text()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ondrel
