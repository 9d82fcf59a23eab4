#pragma once

class QPainter;
class QSize;

// A blue sky with soft white clouds filling `size`. The clouds are a fixed
// table, so the picture comes out the same on every run.
void paintSky(QPainter &painter, const QSize &size);
