#include "report/ReportDocument.h"

namespace rpt {

QStringList ReportDocument::texts(int page) const
{
    QStringList all;
    for (const Item& item : pages.value(page)) {
        if (item.kind == Item::Kind::Text || item.kind == Item::Kind::Stamp)
            all.append(item.text);
    }
    return all;
}

} // namespace rpt
