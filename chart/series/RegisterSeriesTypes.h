#pragma once

// Enters every series type and the ten standard functions of this library
// into the chart library's series-type register (and so into the streaming
// class register). The program calls it once at start-up and test fixtures
// call it in SetUp; calling it again adds nothing. A new series type or
// function of this library is added here.
void RegisterSeriesTypes();
// The nine standard types, in the gallery's order (line, bar, horizontal
// bar, area, point, pie, fast line, horizontal line, horizontal area), on
// the "Standard" page. Part of RegisterSeriesTypes; calling it again adds
// nothing.
void RegisterKorStandardSeries();
// Removes this library's series types and functions from the series-type
// register.
void UnRegisterSeriesTypes();
