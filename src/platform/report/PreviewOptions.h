#pragma once

#include <QString>

namespace rpt {

// How the preview window looks and what it offers. The defaults give a plain window with
// every tool; the register sets each option before it runs the report.
struct PreviewOptions
{
    enum WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

    QString title;
    bool progressDialog = true;     // a progress window while the data is read
    bool controlBox = true;         // the title bar's window menu and close button
    bool maxButton = true;          // the title bar's maximize button
    bool minButton = true;          // the title bar's minimize button
    bool printButton = true;        // Print... on the tool bar
    bool exportButton = true;       // Save as PDF... on the tool bar
    bool zoomControl = true;        // the zoom choice on the tool bar
    bool navigationControls = true; // first, previous, page number, next, last
    WindowState state = Normal;
};

} // namespace rpt
