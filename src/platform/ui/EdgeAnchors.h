#pragma once

#include "ostrelplatform_export.h"

#include <QRect>

#include <vector>

class QWidget;

// Keeps controls laid out at fixed places in step with a window that grows beyond its least
// size: each control keeps its designed distance from the edges it is anchored to, and stretches
// when anchored to both of a pair. Controls inside a frame that stretches take the same growth.
class OSTRELPLATFORM_EXPORT EdgeAnchors
{
public:
    enum Edge { Right = 1, Bottom = 2, Width = 4, Height = 8 };

    // The control's geometry now is its designed one, at the least size.
    void add(QWidget* control, int edges);
    // The window is this much larger than its least size.
    void apply(QSize growth) const;

private:
    struct Anchored
    {
        QWidget* control;
        QRect designed;
        int edges;
    };
    std::vector<Anchored> m_controls;
};
