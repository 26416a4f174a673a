#include "views/ports/SecondaryPortsWindow.h"

#include "ports/PortTable.h"
#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "views/common/MessageBoxes.h"
#include "views/ports/PortListModel.h"
#include "views/ports/PortWindow.h"
#include "views/ports/SecondaryPortWizard.h"
#include "views/ports/SecondaryPortsTexts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ondrel {

namespace {

constexpr int kNameColumnWidth = 250;

const SecondaryPortsTexts kTexts;

} // namespace

SecondaryPortsWindow::SecondaryPortsWindow(const Settings& settings, MessageBoxes& messages,
                                           PortWindow& ports, SecondaryPortWizard& wizard,
                                           QWidget* parent)
    : ActivatedWindow(parent), settings_(settings), messages_(messages), ports_(ports),
      wizard_(wizard) {
    setObjectName(QStringLiteral("TFSuppression"));
    setModal(false);

    model_ = new PortListModel(ports_.table(), {PortColumn::NOM, PortColumn::PORT_REF}, this);
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("DBGrid1"));
    list_->setModel(model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnWidth(0, kNameColumnWidth);
    list_->setMinimumSize(kNameColumnWidth * 2 + 24, 300);
    list_->installEventFilter(this);

    deleteButton_ = new QPushButton(this);
    deleteButton_->setObjectName(QStringLiteral("Supprimer"));
    modifyButton_ = new QPushButton(this);
    modifyButton_->setObjectName(QStringLiteral("Modifier"));
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("Annuler"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(deleteButton_);
    buttons->addWidget(modifyButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(deleteButton_, &QPushButton::clicked, this, [this] { deleteHighlighted(); });
    connect(list_, &QTableView::doubleClicked, this, [this] { deleteHighlighted(); });
    connect(modifyButton_, &QPushButton::clicked, this, [this] { modifyHighlighted(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { hide(); });
    retranslate();
}

void SecondaryPortsWindow::retranslate() {
    const Language l = settings_.language();
    setWindowTitle(kTexts.caption.in(l));
    model_->setHeadings({kTexts.secondary.in(l), kTexts.standard.in(l)});
    deleteButton_->setText(kTexts.remove.in(l));
    modifyButton_->setText(kTexts.modify.in(l));
    cancelButton_->setText(kTexts.cancel.in(l));
}

void SecondaryPortsWindow::showEvent(QShowEvent* event) {
    retranslate();
    typed_.clear();
    if (const QString problem = ports_.reopenInOrder(PortTag::Secondary); !problem.isEmpty())
        messages_.information(this, problem);
    model_->refresh();
    setCurrentRow(0);
    QDialog::showEvent(event);
    list_->setFocus();
}

int SecondaryPortsWindow::rowCount() const {
    return model_->rowCount();
}

void SecondaryPortsWindow::setCurrentRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    list_->setCurrentIndex(model_->index(row, 0));
}

void SecondaryPortsWindow::keyTyped(QChar key) {
    if (!ports_.table().narrowToNamesFrom(typed_.add(key))) return;
    model_->refresh();
    setCurrentRow(0);
}

QString SecondaryPortsWindow::highlighted() {
    const QModelIndex index = list_->currentIndex();
    if (!index.isValid() || !model_->moveTo(index.row())) return {};
    return ports_.table().text(PortColumn::NOM);
}

bool SecondaryPortsWindow::deleteHighlighted() {
    const Language l = settings_.language();
    const QString name = highlighted();
    if (name.isEmpty()) {
        messages_.information(this, kTexts.select.in(l));
        return false;
    }
    bool removed = false;
    bool refused = false;
    if (messages_.askYesNo(this, kTexts.confirm.in(l).arg(name)) == MessageBoxes::Answer::Yes) {
        hide();
        try {
            if (highlighted() == name) {
                ports_.table().remove();
                removed = true;
            }
        } catch (const TableError& e) {
            messages_.information(this, TableFailureText(e, l));
            refused = true;
        }
        ports_.refreshList();
        if (removed) messages_.information(this, name + kTexts.removed.in(l));
    }
    // A refused removal (the table busy) leaves the port, and so the main window, as they were.
    if (resetPortDisplay_ && !refused) resetPortDisplay_();
    return removed;
}

void SecondaryPortsWindow::modifyHighlighted() {
    if (highlighted().isEmpty()) {
        messages_.information(this, kTexts.select.in(settings_.language()));
        return;
    }
    wizard_.move(pos());
    hide();
    wizard_.startModify();
}

bool SecondaryPortsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text.front().isPrint()) {
            keyTyped(text.front());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ondrel
