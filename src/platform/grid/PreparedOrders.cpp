#include "grid/PreparedOrders.h"

#include "grid/GridSort.h"

PreparedOrders::~PreparedOrders()
{
    stop();
}

void PreparedOrders::start(const GridCells& cells, std::vector<quint32> dataRows,
                           std::vector<std::pair<int, SortMeaning>> columns)
{
    stop();
    m_worker = std::thread(&PreparedOrders::work, this, std::cref(cells), std::move(dataRows),
                           std::move(columns));
}

void PreparedOrders::work(const GridCells& cells, std::vector<quint32> dataRows,
                          std::vector<std::pair<int, SortMeaning>> columns)
{
    for (const auto& [col, meaning] : columns) {
        auto order = storedRowsAscending(cells, dataRows, col, meaning, m_stop);
        if (!order)
            return;
        const std::lock_guard lock(m_mutex);
        m_orders[col] = std::move(*order);
    }
}

void PreparedOrders::stop()
{
    m_stop = true;
    wait();
    m_stop = false;
    const std::lock_guard lock(m_mutex);
    m_orders.clear();
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
