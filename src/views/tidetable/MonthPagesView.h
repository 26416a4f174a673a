// MonthPagesView: the tide table's month pages on screen, one under the other in a scroll area,
// painted as they are printed (TideTablePages), scaled so that the days' lines have the size of
// the window's own text.
#pragma once

#include "pages/TideTablePages.h"

#include <QWidget>

#include <vector>

namespace ondrel {

class MonthPagesView : public QWidget {
public:
    explicit MonthPagesView(QWidget* parent = nullptr);

    void setPages(std::vector<TideTableMonth> months, const TideTablePageHeader& header,
                  const TideTablePageOptions& options);
    void clear();
    int pageCount() const { return static_cast<int>(months_.size()); }
    // Where page `index` is painted, in the view's coordinates.
    QRect pageRect(int index) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSize pageSize() const;

    std::vector<TideTableMonth> months_;
    TideTablePageHeader header_;
    TideTablePageOptions options_;
};

} // namespace ondrel
