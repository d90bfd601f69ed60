#include "views/qt/ViewPlace.h"

#include <QScrollBar>

ViewPlace TakePlace(const CMainView& view) {
    ViewPlace place;
    place.view = view.SelectedView();
    place.scenario = view.SelectedScenario();
    place.company = view.SelectedCompany();
    place.year = view.SelectedYear();
    place.graph = view.SelectedGraph();
    place.focus = view.CurrentFocus();
    place.focusKey[LayoutKey::kView] = place.view;
    place.focusKey[LayoutKey::kScenario] = place.scenario;
    place.focusKey[LayoutKey::kCompany] = place.company;
    place.focusKey[LayoutKey::kYear] = place.year;
    place.focusKey[LayoutKey::kGraph] = place.graph;
    place.focusKey[LayoutKey::kCategory] = view.FocusCategory();
    place.focusKey[LayoutKey::kPosition] = view.FocusIndex();
    place.horizontalScroll = view.HorizontalBar()->value();
    place.verticalScroll = view.VerticalBar()->value();
    return place;
}

void RestorePlace(CMainView& view, const ViewPlace& place) {
    // Each level is looked up under the one above it, so they go from the top down.
    view.SelectView(place.view);
    view.SelectScenario(place.scenario);
    view.SelectCompany(place.company);
    view.SelectYear(place.year);
    view.SelectGraph(place.graph);
    view.RestoreFocus(place.focus);
    if (place.focus == CMainView::FocusPlace{} && place.focusKey.IsSet(LayoutKey::kCategory))
        view.FocusItem(&place.focusKey);
    // The bars keep the ranges of the statement last drawn until the next pass sets the new
    // ones, which bring a position past the end back to it.
    view.HorizontalBar()->setValue(place.horizontalScroll);
    view.VerticalBar()->setValue(place.verticalScroll);
}
