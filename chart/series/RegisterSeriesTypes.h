#pragma once

// Enters every series type of this library into the chart library's
// series-type register (and so into the streaming class register). The
// program calls it once at start-up and test fixtures call it in SetUp;
// calling it again adds nothing. A new series type of this library is
// added here.
void RegisterSeriesTypes();
// Removes this library's series types from the series-type register.
void UnRegisterSeriesTypes();
