// Every 5×5×5 phase's small tables, in the order the phases run.
#include "solve/phase/five/five_phases.h"

TableResult PrepareFiveSmallTables() {
  const FivePhase* phases[] = {&FiveStagePhase(), &FiveSplitPhase(), &FiveOrientPhase(),
                               &FiveFirstEdgesPhase(), &FiveLastEdgesPhase()};
  for (const FivePhase* phase : phases) {
    const TableResult result = phase->PrepareSmall();
    if (result != TableResult::kReady) return result;
  }
  return TableResult::kReady;
}
