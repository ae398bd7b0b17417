#pragma once

// Render: registers (and removes) the editor picture of every standard
// series and function class, each drawn in the manner of its gallery
// sample.
void RegisterSeriesTypePictures();
void UnRegisterSeriesTypePictures();
