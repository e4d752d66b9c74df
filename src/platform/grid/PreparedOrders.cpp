#include "grid/PreparedOrders.h"

#include "grid/GridSort.h"

#include <algorithm>

PreparedOrders::~PreparedOrders()
{
    stop();
}

void PreparedOrders::start(const GridCells& cells, std::vector<quint32> dataRows,
                           std::vector<std::pair<int, SortMeaning>> columns)
{
    stop();
    m_pending.assign(columns.begin(), columns.end());
    m_worker = std::thread(&PreparedOrders::work, this, std::cref(cells), std::move(dataRows));
}

void PreparedOrders::prefer(int col)
{
    const std::lock_guard lock(m_mutex);
    const auto waiting = std::find_if(m_pending.begin(), m_pending.end(),
                                      [col](const auto& column) { return column.first == col; });
    if (waiting != m_pending.end())
        std::rotate(m_pending.begin(), waiting, waiting + 1);
}

void PreparedOrders::work(const GridCells& cells, std::vector<quint32> dataRows)
{
    for (;;) {
        std::pair<int, SortMeaning> column;
        {
            const std::lock_guard lock(m_mutex);
            if (m_pending.empty())
                return;
            column = m_pending.front();
            m_pending.pop_front();
        }
        auto order = storedRowsAscending(cells, dataRows, column.first, column.second, m_stop);
        if (!order)
            return;
        const std::lock_guard lock(m_mutex);
        m_orders[column.first] = std::move(*order);
    }
}

void PreparedOrders::stop()
{
    m_stop = true;
    wait();
    m_stop = false;
    const std::lock_guard lock(m_mutex);
    m_orders.clear();
    m_pending.clear();
}

void PreparedOrders::wait()
{
    if (m_worker.joinable())
        m_worker.join();
}

const std::vector<quint32>* PreparedOrders::ready(int col) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_orders.find(col);
    return found == m_orders.end() ? nullptr : &found->second;
}
