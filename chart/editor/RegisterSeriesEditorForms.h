#pragma once

// Registers the editor forms of every series type and function (the forms
// the series page shows on its "Format" tab and the function page on its
// "Options" tab), by the names the types give. The program calls it once
// at start-up, test fixtures in their set-up.
void RegisterSeriesEditorForms();
