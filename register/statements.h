#pragma once

// The statements of the register's pages, as named constants so that the
// statement suite runs exactly what the pages run. Values are bound.
namespace RegisterSql {

// The enterprise page builds its statement from its column table
// (PodnikPage::selectStatement); the pages save only the columns the user
// changed (RowSnapshot builds that update).

// The location page: the coordinates of an enterprise or of a centre.
inline const char GpsSelectPodnik[] = "select GPS from tellmark_podniky where id=?";
inline const char GpsSelectStredisko[] = "select GPS from tellmark_strediska where id=?";

} // namespace RegisterSql
