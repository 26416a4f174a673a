// PortImportFlow: the import of an .add file into the port table, from the menu or the command
// line: the ports listed in the import window as they are stored, reading problems logged to
// bug.txt beside the table and reported in one message at the end, then the port list and the
// countries brought up to date.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ondrel {

struct Settings;
class CountriesWindow;
class ImportListWindow;
class MessageBoxes;
class PortWindow;

class PortImportFlow {
public:
    PortImportFlow(Settings& settings, MessageBoxes& messages, PortWindow& ports,
                   CountriesWindow& countries, ImportListWindow& list, QWidget* messageParent);

    // Imports `file`. False when the file cannot be read (nothing imported); quiet then when asked
    // from the command line, where nothing at all is said while no language is chosen.
    bool importPorts(const QString& file, bool fromCommandLine = false);
    // The menu's import: asks for the file (the chooser can be replaced, for tests).
    void chooseAndImport();
    void setFileChooser(std::function<QString()> chooser) { chooseFile_ = std::move(chooser); }

private:
    Settings& settings_;
    MessageBoxes& messages_;
    PortWindow& ports_;
    CountriesWindow& countries_;
    ImportListWindow& list_;
    QWidget* messageParent_;
    std::function<QString()> chooseFile_;
};

} // namespace ondrel
