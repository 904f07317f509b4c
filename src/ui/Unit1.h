#pragma once
// The main window's unit.
