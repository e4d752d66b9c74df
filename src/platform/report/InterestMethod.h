#pragma once

namespace rpt {

// How a company forms a loan's instalment from the amount, the payments and the yearly rate.
enum class InterestMethod {
    // Equal payments at the start of each month that repay the amount with interest on the
    // balance still owed (an annuity due).
    LevelPayment,
    // The amount in equal parts plus the interest of all months, each month's taken on the
    // principal still outstanding, spread evenly over the payments.
    DecliningBalance,
};

} // namespace rpt
