"use strict";

// The points by enterprise id (the tests click them).
var zrnMarkers = {};
var zrnMap = null;

// Used when there is no point to fit the view to.
var czechBounds = [[48.55, 12.09], [51.06, 18.86]];

function popupOf(properties) {
    // The name is plain text; the description is the program's escaped HTML.
    var box = document.createElement("div");
    var name = document.createElement("b");
    name.textContent = properties.name || "";
    box.appendChild(name);
    var text = document.createElement("div");
    text.innerHTML = properties.description || "";
    box.appendChild(text);
    return box;
}

function draw(mapa, events) {
    zrnMap = L.map("map");
    var tiles = L.tileLayer(mapa.tiles, {
        maxZoom: 19,
        attribution: '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a>'
    });
    tiles.addTo(zrnMap);

    var doc = JSON.parse(mapa.document);
    var layer = L.geoJSON(doc, {
        pointToLayer: function (feature, latlng) {
            var style = feature.properties.style || {};
            return L.circleMarker(latlng, {
                radius: 7,
                weight: 2,
                color: style.color || "#3388ff",
                fillColor: style.fillColor || "#3388ff",
                fillOpacity: 0.8
            });
        },
        onEachFeature: function (feature, marker) {
            var id = String(feature.properties.id);
            marker.bindPopup(popupOf(feature.properties));
            marker.on("click", function () { events.podnikVybran(id); });
            zrnMarkers[id] = marker;
        }
    }).addTo(zrnMap);

    var bounds = layer.getBounds();
    if (bounds.isValid())
        zrnMap.fitBounds(bounds, { padding: [20, 20], maxZoom: 14 });
    else
        zrnMap.fitBounds(czechBounds);
    mapa.pageReady(Object.keys(zrnMarkers).length);
}

window.addEventListener("load", function () {
    new QWebChannel(qt.webChannelTransport, function (channel) {
        var mapa = channel.objects.mapa;
        if (typeof L === "undefined") {
            document.getElementById("missing").hidden = false;
            mapa.pageReady(-1);
            return;
        }
        draw(mapa, channel.objects.events);
    });
});
