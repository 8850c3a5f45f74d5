// A project with a 1500 x 1500 canvas at zoom 1 and a chart model over it; nodes are put in by
// rectangle.
#pragma once

#include "ModelFixture.h"
#include "chart/ChartModel.h"

namespace corvane::test {

class ChartTest : public ModelTest
{
protected:
    ChartTest()
    {
        applyNewProjectValues(project.chartView);
        project.chartView.width = 1500;
        project.chartView.height = 1500;
        project.chartView.zoom = 1.0f;
    }

    int putNode(ObjectId id, chart::Rect r, ObjectType type = ObjectType::Marker,
                bool selected = false)
    {
        const int i = putObject(id, type);
        chart::setNodeRect(project.objects[i], r);
        project.objects[i].nodeSelected = selected ? 1 : 0;
        return i;
    }
    chart::Rect rectOf(int index) const { return chart::nodeRect(project.objects[index]); }

    chart::ChartModel model{project, services, 7};
};

} // namespace corvane::test
