#pragma once

#include <functional>

class TCanvas;
class TImageList;

// The pictures of the main window's commands, drawn in code as the program carries no
// resources; the indexes of the pictures in the list.
constexpr int ImageOpenFile = 0;
constexpr int ImageClearAll = 1;

void AddTimeLineImages(TImageList& images);

// The pictures of the states of a running task, by state: idle, working.
void AddTaskStateImages(TImageList& images);

// Adds a 16 x 16 picture drawn on a clear ground; what the drawing leaves of the ground stays
// transparent.
void AddDrawnPicture(TImageList& images, const std::function<void(TCanvas&)>& draw);
