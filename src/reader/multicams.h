#pragma once
// The multicam resources as Multicam compositions, each angle's clips on tracks numbered
// from the angle's position; multicam clips read later find them by identifier.

namespace tallyvane {

class ReaderContext;

void storeMulticams(ReaderContext& reader);

}  // namespace tallyvane
