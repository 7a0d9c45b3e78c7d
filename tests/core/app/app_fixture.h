#pragma once

// A main state with a definition and records filled into the grid, for tests of the window's
// commands.

#include "core/app/column_sizes.h"
#include "core/loading/definition_builder.h"
#include "core/loading/grid_fill.h"
#include "core/state/main_state.h"
#include "support/fake_ui_host.h"
#include "support/record_entries.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

namespace ranvo::test {

class AppFixture : public ::testing::Test {
protected:
    AppFixture() : state(AppHome(), TRanvoSetting::Defaults()) {}

    // Loads the record-list entries into the grid and gives the view a size of 10 rows and
    // 5 columns.
    void load(const TDefineClass& definition, std::initializer_list<std::string_view> entries) {
        state.Definition = definition;
        state.Grid.SetRecords(RecordsOf(entries));
        InitGridSizes(state, host);
        ASSERT_TRUE(FillGrid(state, host));
        state.Grid.SetVisibleCounts(10, 5);
        state.Grid.SetTopRow(1);
        state.Grid.SetLeftCol(1);
        state.Grid.SetCurrent(1, 1);
    }

    MainState state;
    FakeUiHost host;
};

} // namespace ranvo::test
