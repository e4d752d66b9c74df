#pragma once

// What a column's texts mean when its rows are ordered. Generic: cells that pass the number
// test by value, before every text. Date: cells that read as dates by date, before the others.
// PrefixNumber: texts such as ADV12 by their letters and then their number, so ADV2 comes
// before ADV10.
enum class SortMeaning { Generic, Date, PrefixNumber };
