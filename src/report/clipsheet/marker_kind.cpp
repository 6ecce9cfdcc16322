#include "report/clipsheet/marker_kind.h"

namespace tallyvane {

std::string_view cellSuffix(MarkerKind kind) {
    switch (kind) {
        case MarkerKind::standard: return " (Standard)";
        case MarkerKind::incompleteToDo: return " (Incomplete to-do)";
        case MarkerKind::completedToDo: return " (Completed to-do)";
        case MarkerKind::chapter: return " (Chapter)";
        case MarkerKind::favorite: return " (Favorite)";
        case MarkerKind::rejected: return " (Rejected)";
        case MarkerKind::analysis: return " (Analysis)";
        case MarkerKind::none:
        case MarkerKind::keyword: break;
    }
    return "";
}

}  // namespace tallyvane
