// The input files of a run as the page's form holds them: for each section type its fields
// (named as the library's Validate() names them, so that a message finds its field), the
// records of sezi.txt they make, and back from what the module read of a file.
//
//   QuilexSections.composeSezi("R", {B: "300", H: "500", ...})  // "R\n300 500 40 50.27 2 150\n..."
"use strict";

window.QuilexSections = (() => {
  // A number as quilex's free-form reader takes it; an integer likewise.
  const NUMBER = /^[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?$/;
  const INTEGER = /^[+-]?\d+$/;

  const stirrups = [
    {key: "stirrups.Asw", label: "Asw", unit: "mm²", title: "area of one stirrup leg"},
    {key: "stirrups.nb", label: "nb", unit: "", title: "number of legs", integer: true},
    {key: "stirrups.st", label: "st", unit: "mm", title: "spacing of the stirrups"},
  ];
  const biaxialStirrups = (prefix) => [
    {key: prefix + "Asw", label: "Asw", unit: "mm²", title: "area of one stirrup leg"},
    {key: prefix + "nbx", label: "nbx", unit: "", title: "legs resisting the shear along x", integer: true},
    {key: prefix + "nby", label: "nby", unit: "", title: "legs resisting the shear along y", integer: true},
    {key: prefix + "st", label: "st", unit: "mm", title: "spacing of the stirrups"},
  ];
  const areas = [
    {key: "As_top", label: "As[1]", unit: "mm²", title: "the layer at depth c (top)"},
    {key: "As_bottom", label: "As[2]", unit: "mm²", title: "the layer at depth H − c (bottom)"},
  ];

  const cover = {key: "c", label: "c", unit: "mm", title: "from each face to the axis of its layer"};

  // Per type: its scalar fields by record (one line of sezi.txt each) and its lists.
  const TYPES = {
    R: {
      records: [[{key: "B", label: "B", unit: "mm", title: "width"},
                 {key: "H", label: "H", unit: "mm", title: "depth"},
                 cover,
                 ...stirrups], areas],
    },
    T: {
      records: [[{key: "BiNf", label: "BiNf", unit: "mm", title: "web width"},
                 {key: "HiNf", label: "HiNf", unit: "mm", title: "web height"},
                 {key: "BsUp", label: "BsUp", unit: "mm", title: "flange width"},
                 {key: "HsUp", label: "HsUp", unit: "mm", title: "flange height"},
                 cover,
                 ...stirrups], areas],
    },
    C: {
      records: [[{key: "D", label: "D", unit: "mm", title: "diameter"},
                 {key: "c", label: "c", unit: "mm", title: "from the surface to the bar axes"},
                 {key: "nF", label: "nF", unit: "", title: "number of bars, 0 to 200", integer: true},
                 {key: "Df", label: "Df", unit: "mm", title: "bar diameter"},
                 ...stirrups]],
    },
    D: {
      records: [[{key: "B", label: "B", unit: "mm", title: "width, along x"},
                 {key: "H", label: "H", unit: "mm", title: "depth, along y"},
                 ...biaxialStirrups("stirrups.")]],
      lists: [{key: "bars", label: "Bars: x y area, one per line", unit: "mm, mm²", columns: 3,
               title: "from the centre of the rectangle"}],
    },
    P: {
      records: [],
      lists: [
        {key: "outlines", label: "Outlines: x y per vertex, a blank line between outlines", unit: "mm",
         columns: 2, rings: true},
        {key: "holes", label: "Holes: x y per vertex, a blank line between holes", unit: "mm",
         columns: 2, rings: true},
        {key: "bars", label: "Bars: x y area, one per line", unit: "mm, mm²", columns: 3},
      ],
      optional: [
        {key: "shear", label: "Shear data", fields: [...biaxialStirrups("shear.stirrups."),
          {key: "shear.bx", label: "bx", unit: "mm", title: "web width for the shear along x"},
          {key: "shear.by", label: "by", unit: "mm", title: "web width for the shear along y"},
          {key: "shear.dx", label: "dx", unit: "mm", title: "effective depth for the shear along x"},
          {key: "shear.dy", label: "dy", unit: "mm", title: "effective depth for the shear along y"}]},
        {key: "reference", label: "Reference point of the moments (else the centroid)", fields: [
          {key: "reference.x", label: "xref", unit: "mm"},
          {key: "reference.y", label: "yref", unit: "mm"}]},
      ],
    },
  };

  const ACTIONS = {
    plane: [{key: "Ned", label: "Ned", unit: "N"}, {key: "Med", label: "Med", unit: "N·mm"},
            {key: "Ved", label: "Ved", unit: "N"}],
    biaxial: [{key: "Ned", label: "Ned", unit: "N"}, {key: "Mx", label: "Mx", unit: "N·mm"},
              {key: "My", label: "My", unit: "N·mm"}, {key: "Vx", label: "Vx", unit: "N"},
              {key: "Vy", label: "Vy", unit: "N"}],
  };

  const isBiaxial = (type) => type === "D" || type === "P";

  // The problem of a typed value, or "".
  function checkNumber(text, integer) {
    const t = text.trim();
    if (t === "") return "a value is needed";
    if (integer) return INTEGER.test(t) ? "" : `"${t}" is not a whole number`;
    if (NUMBER.test(t)) return "";
    if (/^[+-]?\d*,\d+$/.test(t)) return `"${t}": write the decimal point as a point`;
    return `"${t}" is not a number`;
  }

  // The rows of a list's text: numbers per line, rings split at blank lines. Returns
  // {rings: [[[x, y], ...]], problems: [text]} with the typed texts kept.
  function parseList(text, list) {
    const rings = [[]];
    const problems = [];
    text.split(/\r?\n/).forEach((line, index) => {
      const t = line.trim();
      if (t === "") {
        if (rings[rings.length - 1].length > 0) rings.push([]);
        return;
      }
      const items = t.split(/[\s,;]+/);
      if (items.length !== list.columns) {
        problems.push(`line ${index + 1}: ${list.columns === 3 ? "x y area" : "x y"} expected, ` +
                      `${items.length} value${items.length === 1 ? "" : "s"} found`);
        return;
      }
      for (const item of items) {
        const problem = checkNumber(item, false);
        if (problem) problems.push(`line ${index + 1}: ${problem}`);
      }
      rings[rings.length - 1].push(items);
    });
    if (rings[rings.length - 1].length === 0) rings.pop();
    return {rings, problems};
  }

  // sezi.txt of the form's values: `values` the typed texts by key, `lists` the list texts,
  // `optional` which optional records are given.
  function composeSezi(type, values, lists = {}, optional = {}) {
    const lines = [type];
    const def = TYPES[type];
    if (type === "D") {
      lines.push(def.records[0].map((f) => (values[f.key] ?? "").trim()).join(" "));
      const bars = parseList(lists.bars || "", def.lists[0]).rings.flat();
      lines.push(String(bars.length));
      for (const bar of bars) lines.push(bar.join(" "));
    } else if (type === "P") {
      const outlines = parseList(lists.outlines || "", def.lists[0]).rings;
      const holes = parseList(lists.holes || "", def.lists[1]).rings;
      const bars = parseList(lists.bars || "", def.lists[2]).rings.flat();
      lines.push([outlines.length, holes.length, bars.length, optional.shear ? 1 : 0,
                  optional.reference ? 1 : 0].join(" "));
      for (const ring of [...outlines, ...holes]) {
        lines.push(String(ring.length));
        for (const vertex of ring) lines.push(vertex.join(" "));
      }
      for (const bar of bars) lines.push(bar.join(" "));
      for (const record of def.optional) {
        if (optional[record.key]) lines.push(record.fields.map((f) => (values[f.key] ?? "").trim()).join(" "));
      }
    } else {
      for (const record of def.records) lines.push(record.map((f) => (values[f.key] ?? "").trim()).join(" "));
    }
    return lines.join("\n") + "\n";
  }

  const text = (value) => String(value);

  // The form's values of a section the module read ({type, B, stirrups: {...}, ...}).
  function formOf(section) {
    const values = {};
    const lists = {};
    const optional = {};
    const put = (key, value) => { values[key] = text(value); };
    const stirrupsOf = (prefix, s) => { for (const [k, v] of Object.entries(s)) put(prefix + k, v); };
    for (const [key, value] of Object.entries(section)) {
      if (key === "type") continue;
      if (key === "stirrups") stirrupsOf("stirrups.", value);
      else if (key === "bars") lists.bars = value.map((bar) => bar.map(text).join(" ")).join("\n");
      else if (key === "outlines" || key === "holes") {
        lists[key] = value.map((ring) => ring.map((p) => p.map(text).join(" ")).join("\n")).join("\n\n");
      } else if (key === "shear") {
        optional.shear = true;
        stirrupsOf("shear.stirrups.", {Asw: value.Asw, nbx: value.nbx, nby: value.nby, st: value.st});
        for (const k of ["bx", "by", "dx", "dy"]) put("shear." + k, value[k]);
      } else if (key === "reference") {
        optional.reference = true;
        put("reference.x", value[0]);
        put("reference.y", value[1]);
      } else put(key, value);
    }
    return {type: section.type, values, lists, optional};
  }

  const composeMate = (code, steel, concrete) => `${code}\n${steel}\n'${concrete}'\n`;
  const composeSlu = (type, values) =>
    ACTIONS[isBiaxial(type) ? "biaxial" : "plane"].map((f) => (values[f.key] ?? "").trim()).join(" ") + "\n";

  return {TYPES, ACTIONS, isBiaxial, checkNumber, parseList, composeSezi, composeMate, composeSlu,
          formOf};
})();
