// CountriesWindow: the countries whose ports the port list shows. One check box per country of
// the zone codes, a box for all of them, and OK to apply the choice. It also says whether the
// port table carries country numbers at all, which the import needs.
#pragma once

#include "state/Services.h"
#include "views/common/WindowContract.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QPushButton;

namespace ondrel {

struct Settings;
class MessageBoxes;
class PortTable;

class CountriesWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    CountriesWindow(Settings& settings, const HelpHook& help, MessageBoxes& messages,
                    PortTable& table, QWidget* parent = nullptr);
    void retranslate() override;

    // Looks at the table again: whether it carries country numbers, which countries have ports;
    // switches the country filter on for a table with country numbers. Run at creation and after
    // an import.
    void build();
    bool hasCountryCodes() const { return hasCountryCodes_; }
    bool countryPresent(int country) const;

    void confirm();
    // A click on the box of a country (0 for the box of all countries).
    void boxClicked(int country, bool checked);
    QCheckBox* box(int country) const;

signals:
    // The table's filter was applied anew: the port list must follow.
    void filterApplied();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPending();

    Settings& settings_;
    const HelpHook& help_;
    MessageBoxes& messages_;
    PortTable& table_;
    bool hasCountryCodes_ = false;
    std::array<bool, 115> present_{};
    std::array<bool, 201> pending_{};
    std::array<QCheckBox*, 115> boxes_{}; // [0] is CBTout
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace ondrel
