#pragma once
// What the benchmarks share: the product codes of every income and expense category, as the main
// window lists them with the type Both.

#include "data/YVODataModule.h"
#include "platform/db/Query.h"

#include <vector>

namespace yvo::bench {

inline std::vector<qint32> allCategoryCodes(TdmYVO& yvo) {
    std::vector<qint32> codes;
    yvo.QCatagory->close();
    yvo.QCatagory->parameterByName(QStringLiteral("TYPE1")).setValue(QStringLiteral("IN"));
    yvo.QCatagory->parameterByName(QStringLiteral("TYPE2")).setValue(QStringLiteral("EX"));
    for (yvo.QCatagory->open(); !yvo.QCatagory->eof(); yvo.QCatagory->next())
        codes.push_back(yvo.QCatagory->fieldByName(u"ProductCode").asInteger());
    return codes;
}

} // namespace yvo::bench
