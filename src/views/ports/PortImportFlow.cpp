#include "views/ports/PortImportFlow.h"

#include "ports/PortImport.h"
#include "ports/PortTable.h"
#include "state/Settings.h"
#include "texts/CommonTexts.h"
#include "texts/ImportTexts.h"
#include "texts/ProjectInfo.h"
#include "views/common/MessageBoxes.h"
#include "views/ports/CountriesWindow.h"
#include "views/ports/ImportListWindow.h"
#include "views/ports/PortWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace ondrel {

PortImportFlow::PortImportFlow(Settings& settings, MessageBoxes& messages, PortWindow& ports,
                               CountriesWindow& countries, ImportListWindow& list,
                               QWidget* messageParent)
    : settings_(settings), messages_(messages), ports_(ports), countries_(countries), list_(list),
      messageParent_(messageParent) {}

void PortImportFlow::chooseAndImport() {
    QString file;
    if (chooseFile_) {
        file = chooseFile_();
    } else {
        QFileDialog dialog(messageParent_);
        dialog.setFileMode(QFileDialog::ExistingFile);
        const Language l = settings_.language();
        dialog.setNameFilters({kCommonTexts.portFiles.in(l), kCommonTexts.allFiles.in(l)});
        dialog.setDefaultSuffix(QStringLiteral("add"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().front();
    }
    if (!file.isEmpty()) importPorts(file);
}

bool PortImportFlow::importPorts(const QString& file, bool fromCommandLine) {
    const Language l = settings_.language();
    const bool speak = settings_.languageChosen() || !fromCommandLine;
    const QString path = ports_.table().fileName();
    PortTable table; // the import's own table object
    try {
        if (path.isEmpty()) throw TableError(ports_.tableError().toStdString());
        table.open(path);
    } catch (const TableError& e) {
        if (speak)
            messages_.information(messageParent_, kImportTexts.tableUnwritable.in(l).arg(
                                                      QString::fromUtf8(e.what())));
        return true;
    }
    const QString log = QFileInfo(path).absoluteDir().filePath(QStringLiteral("bug.txt"));
    const QString separator = settings_.decimalSeparator;
    const ImportSettings settings{countries_.hasCountryCodes(),
                                  separator.isEmpty() ? QLatin1Char('.') : separator.front(), l};

    list_.clear();
    list_.showCentred();
    int listed = 0;
    const ImportReport report = ImportPorts(table, file, log, settings, [&](const QString& line) {
        list_.addLine(line);
        // The list grows on screen while the import runs; no command can start meanwhile.
        if (++listed % 64 == 0) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    table.close();

    using Failure = ImportReport::Failure;
    if (report.failure == Failure::AddFile) {
        list_.hide();
        if (fromCommandLine) return false;
        messages_.information(messageParent_,
                              kImportTexts.addFileUnreadable.in(l).arg(report.failureDetail));
        return true;
    }
    if (report.failure == Failure::LogFile || report.failure == Failure::Busy) {
        list_.hide();
        const Bilingual& text = report.failure == Failure::LogFile ? kImportTexts.logUnwritable
                                                                   : kCommonTexts.tableBusy;
        if (speak) messages_.information(messageParent_, text.in(l).arg(report.failureDetail));
        return true;
    }
    // A failed write stopped the import: the list keeps the ports stored before it.
    if (report.failure == Failure::Table && speak)
        messages_.information(&list_, kImportTexts.tableUnwritable.in(l).arg(report.failureDetail));

    // The port list and the countries see the new ports.
    ports_.reopenTable(!ports_.table().isReadOnly());
    if (countries_.hasCountryCodes() && report.lastCountry > 0)
        settings_.countrySelected[static_cast<std::size_t>(report.lastCountry)] = true;
    countries_.build();
    // The records not stored, each with its line, port and field (the first ten).
    if (!report.problems.isEmpty())
        messages_.information(&list_,
                              kImportTexts.notStored.in(l) +
                                  report.problems.mid(0, 10).join(u'\n') + QStringLiteral("\n\n") +
                                  kImportTexts.logPlace.in(l).arg(QDir::toNativeSeparators(log)));
    else if (!report.log.isEmpty())
        messages_.information(&list_,
                              kImportTexts.readError.in(l) + QLatin1String(kContactAddress) +
                                  QStringLiteral("\n\n") +
                                  kImportTexts.logPlace.in(l).arg(QDir::toNativeSeparators(log)));
    return true;
}

} // namespace ondrel
