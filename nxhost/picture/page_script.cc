// The page's style sheet and scripts. Canvas 2D only: a headless browser without a GPU draws it
// the same. Triangles are painted far to near with flat shading; lines and marks go on top.
#include "nxhost/picture/page.h"

namespace nxhost::picture {

const char *page_style() {
    return R"css(
body { font: 13px/1.35 sans-serif; margin: 0; color: #222; background: #f4f4f2; }
header { padding: 6px 12px; background: #2d3a4a; color: #fff; display: flex; gap: 16px; align-items: baseline; }
h1 { font-size: 16px; margin: 0; }
h2 { font-size: 14px; margin: 10px 0 4px; }
.note { margin: 6px 12px; padding: 6px 10px; background: #fff3c4; border: 1px solid #d9b800; font-weight: bold; }
main { display: flex; gap: 8px; padding: 8px; }
#views { flex: 1; display: grid; grid-template-columns: 1fr 1fr; gap: 8px; min-width: 0; }
.view { position: relative; background: #fff; border: 1px solid #bbb; height: 400px; }
.view canvas { width: 100%; height: 100%; display: block; }
.view .title { position: absolute; left: 6px; top: 4px; font-weight: bold; pointer-events: none; }
.view.rotatable canvas { cursor: grab; }
aside { width: 330px; flex: none; background: #fff; border: 1px solid #bbb; padding: 4px 10px; overflow: auto; max-height: 820px; }
#legend { list-style: none; padding: 0; margin: 0; }
#legend li { margin: 2px 0; }
.swatch { display: inline-block; width: 14px; height: 10px; margin-right: 6px; border: 1px solid #555; vertical-align: middle; }
#operations { padding-left: 22px; margin: 0; }
#operations li { margin: 3px 0; cursor: pointer; padding: 2px 4px; border-radius: 3px; }
#operations li:hover { background: #eef; }
#operations li.picked { background: #ffe1a8; }
#operations .detail { color: #555; font-size: 12px; }
.hint { color: #666; font-size: 12px; margin: 0 0 4px; }
#script-errors { color: #a00; margin: 8px 12px; white-space: pre-wrap; }
)css";
}

const char *page_error_trap() {
    return R"js(
(function () {
  'use strict';
  function report(text) {
    var pre = document.getElementById('script-errors');
    if (!pre) { window.__pendingErrors = (window.__pendingErrors || []).concat([text]); return; }
    pre.textContent += text + '\n';
    pre.hidden = false;
  }
  window.__reportError = report;
  window.addEventListener('error', function (e) {
    report('error: ' + e.message + (e.lineno ? ' (line ' + e.lineno + ')' : ''));
  });
  window.addEventListener('unhandledrejection', function (e) {
    report('unhandled rejection: ' + (e.reason && e.reason.message ? e.reason.message : String(e.reason)));
  });
})();
)js";
}

const char *page_script() {
    return R"js(
(function () {
  'use strict';
  (window.__pendingErrors || []).forEach(window.__reportError);
  var scene = JSON.parse(document.getElementById('scene-data').textContent);
  var COLORS = {
    electrode: [200, 128, 74], clamp: [138, 143, 152], 'base block': [111, 134, 166], sheet: [150, 190, 150],
    area: [255, 176, 0]
  };
  var BOTTOM = 'rgba(200,0,200,0.42)', PLANE = 'rgba(0,140,255,0.10)';
  var picked = -1;

  function sub(a, b) { return [a[0] - b[0], a[1] - b[1], a[2] - b[2]]; }
  function dot(a, b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
  function cross(a, b) { return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]; }
  function norm(a) { var l = Math.hypot(a[0], a[1], a[2]); return l > 1e-12 ? [a[0] / l, a[1] / l, a[2] / l] : [0, 0, 1]; }
  function rgb(c, k) { return 'rgb(' + Math.round(c[0] * k) + ',' + Math.round(c[1] * k) + ',' + Math.round(c[2] * k) + ')'; }
  function fmt(v) { return String(Math.round(v * 1000) / 1000); }
  function plural(n, one, many) { return n + ' ' + (n === 1 ? one : many || one + 's'); }

  var ext = scene.extent;
  var center = [(ext[0] + ext[3]) / 2, (ext[1] + ext[4]) / 2, (ext[2] + ext[5]) / 2];
  var radius = Math.max(1, Math.hypot(ext[3] - ext[0], ext[4] - ext[1], ext[5] - ext[2]) / 2);
  var corners = [];
  for (var c = 0; c < 8; ++c) corners.push([ext[c & 1 ? 3 : 0], ext[c & 2 ? 4 : 1], ext[c & 4 ? 5 : 2]]);

  // Every triangle once, with its body, face and normal. Painting far to near goes wrong where a
  // long triangle (the top of a plate) reaches from behind a small body to in front of it, so
  // triangles are halved along their longest edge until no edge is long against the scene.
  var tris = [], longest = radius / 25;
  function pushSplit(p, n, bi, f, color) {
    var d = [0, 1, 2].map(function (k) { var q = sub(p[k], p[(k + 1) % 3]); return dot(q, q); });
    var k = d[0] >= d[1] && d[0] >= d[2] ? 0 : d[1] >= d[2] ? 1 : 2;
    if (d[k] <= longest * longest) { tris.push({ p: p, n: n, body: bi, face: f, color: color }); return; }
    var a = p[k], b = p[(k + 1) % 3], c = p[(k + 2) % 3], m = [(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2];
    pushSplit([a, m, c], n, bi, f, color);
    pushSplit([m, b, c], n, bi, f, color);
  }
  scene.bodies.forEach(function (b, bi) {
    if (b.blanked) return;
    var faceOf = new Array(b.t.length / 3);
    for (var f = 0; f < b.f.length / 2; ++f)
      for (var k = 0; k < b.f[2 * f + 1]; ++k) faceOf[b.f[2 * f] + k] = f;
    for (var t = 0; t < b.t.length / 3; ++t) {
      var p = [0, 1, 2].map(function (j) { var i = b.t[3 * t + j]; return [b.v[3 * i], b.v[3 * i + 1], b.v[3 * i + 2]]; });
      pushSplit(p, norm(cross(sub(p[1], p[0]), sub(p[2], p[0]))), bi, faceOf[t], COLORS[b.role] || COLORS.sheet);
    }
  });

  // The rectangle of a plane over the scene's extent.
  function planeRect(origin, normal) {
    var n = norm(normal), helper = Math.abs(n[2]) < 0.9 ? [0, 0, 1] : [1, 0, 0];
    var u = norm(cross(helper, n)), v = cross(n, u);
    var lo = [Infinity, Infinity], hi = [-Infinity, -Infinity];
    corners.forEach(function (q) {
      var d = sub(q, origin), a = dot(d, u), b = dot(d, v);
      lo = [Math.min(lo[0], a), Math.min(lo[1], b)]; hi = [Math.max(hi[0], a), Math.max(hi[1], b)];
    });
    return [[lo[0], lo[1]], [hi[0], lo[1]], [hi[0], hi[1]], [lo[0], hi[1]]].map(function (s) {
      return [origin[0] + s[0] * u[0] + s[1] * v[0], origin[1] + s[0] * u[1] + s[1] * v[1], origin[2] + s[0] * u[2] + s[1] * v[2]];
    });
  }
  var planes = scene.clearance_planes.map(function (p) { return { rect: planeRect(p.origin, p.normal), plane: p }; });

  var views = [
    { title: 'Top (looking down Z)', r: [1, 0, 0], u: [0, 1, 0] },
    { title: 'Front (looking along +Y)', r: [1, 0, 0], u: [0, 0, 1] },
    { title: 'Right side (looking along -X)', r: [0, 1, 0], u: [0, 0, 1] },
    { title: '3D: drag to rotate, wheel to zoom, double-click to reset', az: -1.05, el: 0.55, zoom: 1, rotatable: true }
  ];

  function axesOf(view) {
    if (!view.rotatable) return { r: view.r, u: view.u, d: cross(view.r, view.u) };
    var d = [Math.cos(view.el) * Math.cos(view.az), Math.cos(view.el) * Math.sin(view.az), Math.sin(view.el)];
    var r = norm(cross([0, 0, 1], d));
    return { r: r, u: cross(d, r), d: d };
  }

  function projector(view, w, h) {
    var a = axesOf(view), scale, cx, cy;
    if (view.rotatable) {
      scale = Math.min(w, h) / (2.1 * radius) * view.zoom;
      cx = dot(center, a.r); cy = dot(center, a.u);
    } else {
      var xs = corners.map(function (q) { return dot(q, a.r); }), ys = corners.map(function (q) { return dot(q, a.u); });
      var x0 = Math.min.apply(null, xs), x1 = Math.max.apply(null, xs), y0 = Math.min.apply(null, ys), y1 = Math.max.apply(null, ys);
      scale = Math.min((w - 40) / Math.max(x1 - x0, 1e-6), (h - 50) / Math.max(y1 - y0, 1e-6));
      cx = (x0 + x1) / 2; cy = (y0 + y1) / 2;
    }
    return {
      axes: a,
      at: function (p) { return [w / 2 + (dot(p, a.r) - cx) * scale, h / 2 + 10 - (dot(p, a.u) - cy) * scale, dot(p, a.d)]; }
    };
  }

  function pickedOp() { return picked >= 0 ? scene.operations[picked] : null; }

  function draw(view) {
    var canvas = view.canvas, ratio = window.devicePixelRatio || 1;
    var w = canvas.clientWidth, h = canvas.clientHeight;
    canvas.width = Math.max(1, Math.round(w * ratio)); canvas.height = Math.max(1, Math.round(h * ratio));
    var g = canvas.getContext('2d');
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.clearRect(0, 0, w, h);
    var pr = projector(view, w, h), a = pr.axes;
    var light = norm([a.d[0] + 0.4 * a.u[0] + 0.3 * a.r[0], a.d[1] + 0.4 * a.u[1] + 0.3 * a.r[1], a.d[2] + 0.4 * a.u[2] + 0.3 * a.r[2]]);
    var op = pickedOp(), area = {};
    if (op) op.area.forEach(function (f) { area[f[0] + ':' + f[1]] = true; });

    var items = [];
    tris.forEach(function (t) {
      var s = t.p.map(pr.at), shade = 0.35 + 0.65 * Math.abs(dot(t.n, light));
      var color = area[t.body + ':' + t.face] ? COLORS.area : t.color;
      items.push({ s: s, z: (s[0][2] + s[1][2] + s[2][2]) / 3, fill: rgb(color, shade) });
    });
    function quad(rect, fill) {
      var s = rect.map(pr.at);
      items.push({ s: [s[0], s[1], s[2]], z: (s[0][2] + s[1][2] + s[2][2]) / 3, fill: fill, alpha: true });
      items.push({ s: [s[0], s[2], s[3]], z: (s[0][2] + s[2][2] + s[3][2]) / 3, fill: fill, alpha: true });
    }
    planes.forEach(function (p) { quad(p.rect, PLANE); });
    if (op && op.bottom_rect.length === 4) quad(op.bottom_rect, BOTTOM);
    items.sort(function (x, y) { return x.z - y.z; });
    g.lineJoin = 'round';
    items.forEach(function (it) {
      g.beginPath();
      g.moveTo(it.s[0][0], it.s[0][1]); g.lineTo(it.s[1][0], it.s[1][1]); g.lineTo(it.s[2][0], it.s[2][1]); g.closePath();
      g.fillStyle = it.fill; g.fill();
      if (!it.alpha) { g.strokeStyle = it.fill; g.lineWidth = 0.6; g.stroke(); }
    });

    function polyline(points, closed) {
      g.beginPath();
      points.forEach(function (p, i) { var s = pr.at(p); if (i) g.lineTo(s[0], s[1]); else g.moveTo(s[0], s[1]); });
      if (closed) g.closePath();
      g.stroke();
    }
    // Blanks: dashed boxes, the picked operation's workpiece darker.
    var edges = [[0, 1], [2, 3], [4, 5], [6, 7], [0, 2], [1, 3], [4, 6], [5, 7], [0, 4], [1, 5], [2, 6], [3, 7]];
    g.setLineDash([5, 4]);
    scene.blanks.forEach(function (b) {
      var mine = op && op.workpiece === b.group;
      g.strokeStyle = mine ? '#222' : 'rgba(90,90,90,0.45)'; g.lineWidth = mine ? 1.6 : 1;
      edges.forEach(function (e) { polyline([b.corners[e[0]], b.corners[e[1]]], false); });
    });
    g.strokeStyle = 'rgba(0,110,220,0.9)'; g.lineWidth = 1;
    planes.forEach(function (p) { polyline(p.rect, true); });
    g.setLineDash([]);
    planes.forEach(function (p) {
      var s = p.rect.map(pr.at).reduce(function (m, q) { return q[0] < m[0] || (q[0] === m[0] && q[1] < m[1]) ? q : m; });
      g.fillStyle = 'rgb(0,90,190)'; g.font = '11px sans-serif';
      g.fillText('clearance plane ' + fmt(dot(p.plane.origin, norm(p.plane.normal))), s[0] + 4, s[1] - 4);
    });
    if (op) {
      g.strokeStyle = 'rgb(200,0,200)'; g.lineWidth = 1.5;
      if (op.bottom_rect.length === 4) polyline(op.bottom_rect, true);
      g.strokeStyle = 'rgb(230,60,0)'; g.lineWidth = 2.2;
      op.boundaries.forEach(function (line) { polyline(line, false); });
    }
    // MCS frames: X red, Y green, Z blue.
    var len = radius * 0.25;
    scene.frames.forEach(function (f) {
      var o = pr.at(f.origin);
      [['X', 0, '#d00'], ['Y', 3, '#090'], ['Z', 6, '#00c']].forEach(function (ax) {
        var end = [f.origin[0] + len * f.axes[ax[1]], f.origin[1] + len * f.axes[ax[1] + 1], f.origin[2] + len * f.axes[ax[1] + 2]];
        var e = pr.at(end);
        g.strokeStyle = ax[2]; g.lineWidth = 2.4;
        g.beginPath(); g.moveTo(o[0], o[1]); g.lineTo(e[0], e[1]); g.stroke();
        if (Math.hypot(e[0] - o[0], e[1] - o[1]) > 6) { g.fillStyle = ax[2]; g.font = 'bold 12px sans-serif'; g.fillText(ax[0], e[0] + 3, e[1] - 3); }
      });
      g.fillStyle = '#000'; g.font = '11px sans-serif'; g.fillText(f.name, o[0] + 5, o[1] + 14);
    });
    // Start points: the picked operation's filled.
    var mine = {};
    if (op) op.start_points.forEach(function (i) { mine[i] = true; });
    scene.start_points.forEach(function (p, i) {
      var s = pr.at(p);
      g.beginPath(); g.arc(s[0], s[1], 4.5, 0, 2 * Math.PI);
      g.fillStyle = mine[i] ? 'rgb(230,0,0)' : '#fff'; g.fill();
      g.strokeStyle = '#000'; g.lineWidth = 1.2; g.stroke();
    });
  }

  function drawAll() { views.forEach(draw); }

  // Views, legend, operations list.
  var holder = document.getElementById('views');
  views.forEach(function (view) {
    var box = document.createElement('div');
    box.className = 'view' + (view.rotatable ? ' rotatable' : '');
    var title = document.createElement('div');
    title.className = 'title'; title.textContent = view.title;
    view.canvas = document.createElement('canvas');
    box.appendChild(view.canvas); box.appendChild(title); holder.appendChild(box);
  });
  var rot = views[3], dragging = null, pending = false;
  function redrawRotatable() {
    if (pending) return;
    pending = true;
    window.requestAnimationFrame(function () { pending = false; draw(rot); });
  }
  rot.canvas.addEventListener('mousedown', function (e) { dragging = [e.clientX, e.clientY]; e.preventDefault(); });
  window.addEventListener('mouseup', function () { dragging = null; });
  window.addEventListener('mousemove', function (e) {
    if (!dragging) return;
    rot.az -= (e.clientX - dragging[0]) * 0.01;
    rot.el = Math.max(-1.55, Math.min(1.55, rot.el + (e.clientY - dragging[1]) * 0.01));
    dragging = [e.clientX, e.clientY];
    redrawRotatable();
  });
  rot.canvas.addEventListener('wheel', function (e) {
    e.preventDefault();
    rot.zoom = Math.max(0.1, Math.min(50, rot.zoom * Math.exp(-e.deltaY * 0.0015)));
    redrawRotatable();
  }, { passive: false });
  rot.canvas.addEventListener('dblclick', function () { rot.az = -1.05; rot.el = 0.55; rot.zoom = 1; redrawRotatable(); });

  var legend = document.getElementById('legend');
  function legendLine(css, text) {
    var li = document.createElement('li'), sw = document.createElement('span');
    sw.className = 'swatch'; sw.style.cssText = css;
    li.appendChild(sw); li.appendChild(document.createTextNode(text)); legend.appendChild(li);
  }
  var counts = {};
  scene.bodies.forEach(function (b) { counts[b.role] = (counts[b.role] || 0) + 1; });
  Object.keys(counts).forEach(function (role) {
    legendLine('background:' + rgb(COLORS[role] || COLORS.sheet, 1), role + ' (' + counts[role] + ')');
  });
  legendLine('background:' + rgb(COLORS.area, 1), 'cut area of the picked operation');
  legendLine('background:' + BOTTOM, 'bottom level of the picked operation');
  legendLine('background:' + PLANE + ';border-color:rgb(0,110,220)', 'clearance plane (' + scene.clearance_planes.length + ')');
  legendLine('border:1px dashed #555', 'blank (' + scene.blanks.length + ')');
  legendLine('background:linear-gradient(90deg,#d00 33%,#090 33% 66%,#00c 66%)', 'MCS X Y Z (' + scene.frames.length + ')');
  legendLine('background:#fff;border-radius:6px', 'start point (' + scene.start_points.length + '; red: of the picked operation)');

  document.getElementById('summary').textContent = (counts.electrode || 0) + ' electrodes, ' +
    scene.operations.length + ' operations, units ' + scene.units +
    (scene.unmeshed_faces ? '; ' + scene.unmeshed_faces + ' faces could not be tessellated and are missing' : '');
  var list = document.getElementById('operations');
  scene.operations.forEach(function (op, i) {
    var li = document.createElement('li'), name = document.createElement('b'), detail = document.createElement('div');
    name.textContent = op.name;
    detail.className = 'detail';
    var parts = [];
    if (op.area.length) parts.push(plural(op.area.length, 'face'));
    if (op.boundaries.length) parts.push(plural(op.boundaries.length, 'boundary', 'boundaries'));
    detail.textContent = op.kind + ' in ' + op.program + ', ' + op.workpiece + '; cut area: ' +
      (op.area_source ? op.area_source + (parts.length ? ' (' + parts.join(', ') + ')' : '') : 'none') +
      '; bottom: ' + (op.bottom_source ? op.bottom_source + ' ' + fmt(op.bottom) : 'none') +
      '; ' + plural(op.start_points.length, 'start point');
    li.appendChild(name); li.appendChild(detail);
    li.addEventListener('click', function () {
      picked = picked === i ? -1 : i;
      Array.prototype.forEach.call(list.children, function (item, k) { item.classList.toggle('picked', k === picked); });
      drawAll();
    });
    list.appendChild(li);
  });
  if (!scene.operations.length) {
    var none = document.createElement('li');
    none.textContent = scene.has_cam ? 'none' : 'no CAM setup';
    list.appendChild(none);
  }
  // The page opens with the operation its address names (page.html#op=NAME) picked, else with
  // the first one that cuts faces.
  var wanted = /^#op=/.test(location.hash) ? decodeURIComponent(location.hash.slice(4)) : null;
  scene.operations.forEach(function (op, k) { if (op.name === wanted) picked = k; });
  for (var i = 0; i < scene.operations.length && picked < 0; ++i)
    if (scene.operations[i].area.length) picked = i;
  if (picked >= 0) {
    list.children[picked].classList.add('picked');
    list.children[picked].scrollIntoView({ block: 'nearest' });
  }

  window.addEventListener('resize', drawAll);
  drawAll();
  document.body.dataset.rendered = 'ok';
})();
)js";
}

}  // namespace nxhost::picture
