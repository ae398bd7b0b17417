#pragma once

// Enters every tool of this library into the chart library's tool register
// (and so into the streaming class register), in the order the galleries
// show them. The program calls it once at start-up and test fixtures call
// it in SetUp; calling it again adds nothing.
void RegisterToolTypes();
// Removes this library's tools from the tool register.
void UnRegisterToolTypes();
