#pragma once

#include "grid/SortMeaning.h"

#include <QtGlobal>

#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

class GridCells;

// The ascending orders of a grid's data rows on chosen columns, worked out on another core while
// the grid is shown, so that a search on a large grid need not sort first. Each order lists the
// stored rows, rows that tie in the order they were stored. The work reads the cells only: every
// change of them must stop it first (and forget the orders made), from the thread that owns the
// grid.
class PreparedOrders
{
public:
    PreparedOrders() = default;
    ~PreparedOrders();
    PreparedOrders(const PreparedOrders&) = delete;
    PreparedOrders& operator=(const PreparedOrders&) = delete;

    // Starts on the columns in the order given; the stored rows listed are the data rows.
    void start(const GridCells& cells, std::vector<quint32> dataRows,
               std::vector<std::pair<int, SortMeaning>> columns);
    // Makes col's order next, when it is still to be made.
    void prefer(int col);
    // Stops the work, waiting for it, and forgets every order.
    void stop();
    // Waits until every order is made.
    void wait();
    // The order on col when it is made, else null; valid until the next stop().
    const std::vector<quint32>* ready(int col) const;

private:
    void work(const GridCells& cells, std::vector<quint32> dataRows);

    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::map<int, std::vector<quint32>> m_orders;
    std::deque<std::pair<int, SortMeaning>> m_pending; // still to be made, next first
};
