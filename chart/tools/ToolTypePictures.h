#pragma once

// Render: registers (and removes) the editor picture of every standard
// tool class, each a sketch of what the tool does on a chart.
void RegisterToolTypePictures();
void UnRegisterToolTypePictures();
