#pragma once
#include <QString>

// Update Device's build: compiles the open project into the model's bank
// images and writes them to ProjectPath/bin. Nothing is written unless every
// reader succeeded. False with a message naming the file on failure.
bool Build_And_Save_Banks(QString* error);
