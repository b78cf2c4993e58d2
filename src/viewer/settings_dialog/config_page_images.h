#pragma once

class TImageList;

// The settings dialog's page pictures, drawn in code: twenty in pairs, the lit picture of a
// chosen row first and the plain one second (internal trace, constants, scheduler, folders,
// information, visualisation, errors, connection, execution, tasks).
void AddConfigPageImages(TImageList& images);
