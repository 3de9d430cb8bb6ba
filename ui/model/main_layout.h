// MainLayout: where the main window's children sit in its client area.
// Bands are cut from the client rectangle; after each cut the rest's edge
// moves back by one pixel, so neighbours share their border line.
#pragma once

struct LayoutRect {
  int x, y, width, height;
};

struct MainLayout {
  LayoutRect hourList;
  LayoutRect okButton, previousButton, dateButton, nextButton;
  LayoutRect crawlButton, syncButton, settingsButton;
  LayoutRect detailPane, programmeList;
};

constexpr int kMainClientWidth = 640;
constexpr int kMainClientHeight = 320;

MainLayout mainLayout(int clientWidth, int clientHeight);
