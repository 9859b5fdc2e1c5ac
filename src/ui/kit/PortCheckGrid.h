#pragma once

// One check box per port, labelled with the port number, at the places a dialog
// gives. The boxes carry the dialog's control numbers (6001 upward as a rule).

#include "core/kit/ValueCodecs.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

class QButtonGroup;
class QCheckBox;

namespace kx {

// Where the boxes go, in the grid widget's coordinates: either `rects`, one per
// port in port order, or a grid of `columns` from `origin`, `step` apart.
struct PortGridGeometry
{
    QPoint origin{0, 0};
    int columns = 8;
    QSize step{56, 24};
    QSize boxSize{52, 20};
    std::vector<QRect> rects;

    QRect rectFor(int index) const;
};

class PortCheckGrid : public QWidget
{
    Q_OBJECT

public:
    PortCheckGrid(int portCount, const PortGridGeometry& geometry, QWidget* parent = nullptr,
                  int firstId = 6001);

    int portCount() const { return static_cast<int>(m_boxes.size()); }
    QCheckBox* box(int port) const;
    QCheckBox* boxForId(int id) const;
    int idOf(int port) const { return m_firstId + port - 1; }

    // One flag per port: `value` for a ticked box, 0 otherwise.
    PortFlags flags(int value = 1) const;
    // Ticks the box of every port whose flag is non-zero; missing flags clear.
    void setFlags(const PortFlags& flags);
    bool isChecked(int port) const;
    void setChecked(int port, bool checked);
    void setAllChecked(bool checked);

    QSize sizeHint() const override;

signals:
    // The user clicked a box (not emitted for changes made by the program).
    void portClicked(int port, bool checked);

private:
    std::vector<QCheckBox*> m_boxes;
    QButtonGroup* m_group = nullptr;
    int m_firstId;
};

} // namespace kx
