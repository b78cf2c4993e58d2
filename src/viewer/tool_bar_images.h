#pragma once

class TImageList;

// The pictures of the main window's commands, drawn in code as the program carries no
// resources; the indexes of the pictures in the list.
constexpr int ImageOpenFile = 0;
constexpr int ImageClearAll = 1;

void AddTimeLineImages(TImageList& images);

// The pictures of the states of a running task, by state: idle, working.
void AddTaskStateImages(TImageList& images);
