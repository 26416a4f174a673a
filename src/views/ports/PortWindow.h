// PortWindow: the port selection window. Lists the ports by name, narrows the list as the first
// letters are typed, marks the highlighted port on the world map, and on confirmation loads the
// port as the current port and hands its texts to the main window.
#pragma once

#include "views/common/WindowContract.h"

#include "ports/CurrentStations.h"
#include "ports/PortTable.h"

#include <QDialog>
#include <QString>

class QFileSystemWatcher;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTableView;
class QWidget;

namespace ondrel {

struct AppState;
class MessageBoxes;
class PortListModel;
class StationListModel;
class WorldMapView;

// What the main window shows of a confirmed port.
struct ChosenPort {
    QString name;
    QString countryLine; // "(France)", or empty
    QString latitude;
    QString longitude;
    QString timeZone;
};

class PortWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    PortWindow(AppState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    ~PortWindow() override;
    void retranslate() override;

    bool tableIsOpen() const { return table_.isOpen(); }
    QString tableError() const { return tableError_; }
    PortTable& table() { return table_; }

    // Closes and reopens the table, writable or read-only, keeping its country filter; the list
    // follows. Windows that write the table call it first.
    void reopenTable(bool writable);
    // The same, writable, then every record in the order of `tag` (the secondary-port windows
    // list one kind of port); what stops that order, empty when nothing does.
    QString reopenInOrder(PortTag tag);
    // The list again, as the typed letters select it, after the table changed.
    void refreshList();

    void nameTyped();
    void showPosition();
    // Confirms the highlighted port or current station; false when there is none.
    bool confirm();
    // The list of current stations (true) or of tide ports.
    void showStations(bool stations);
    bool showsStations() const;
    // Shows the station of this id highlighted in its list; false when there is none.
    bool selectStation(const QString& id);
    void cancel();
    void chooseCountries();
    // The countries button works once a countries window is there to answer it.
    void setCountriesAvailable(bool available);
    // The whole name of the row under a point of the list, when its cell cuts it; else empty.
    QString cutNameAt(const QPoint& viewportPos) const;
    void showHelp();
    // Clears the typed letters and any range, and highlights the first port whose name is equal
    // to or sorts after name. False when no port does.
    bool selectNearest(const QString& name);

    int currentRow() const;
    QRect markerRect() const;

    // The record filter of the port table: the country selection.
    static bool acceptsRecord(const PortTable& table, const AppState& state);

signals:
    void portConfirmed(const ChosenPort& port);
    // A current station was confirmed: AppState::station holds it.
    void stationConfirmed(const ChosenPort& place);
    // BPays: the countries window is asked to show itself.
    void countriesRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void buildNameField();
    void buildPortList();
    void buildButtons();
    void layOut();
    void openTable();
    void connectControls();
    void setUp();
    void setCurrentRow(int row);
    void followLegalZone();
    // The current stations, read the first time their list is shown; false when they cannot be.
    bool readStations();
    bool confirmStation();
    const CurrentStation* highlightedStation() const;
    // The table's file is watched: ports another Ondrel adds appear without waiting for a write
    // of this one.
    void watchTable();

    QFileSystemWatcher* watcher_ = nullptr;

    AppState& state_;
    MessageBoxes& messages_;

    PortTable table_;
    QString tableError_;
    PortListModel* model_ = nullptr;
    CurrentStations stations_;
    bool stationsRead_ = false;
    StationListModel* stationModel_ = nullptr;

    QWidget* listPanel_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    QTableView* portList_ = nullptr;
    QTabBar* kinds_ = nullptr;
    QTableView* stationList_ = nullptr;
    QStackedWidget* lists_ = nullptr;
    WorldMapView* map_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* countriesButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace ondrel

Q_DECLARE_METATYPE(ondrel::ChosenPort)
