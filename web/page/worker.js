// The page's worker: the core module above, the point tab and the workbook
// runs behind messages. A run's messages for the user go to the page as they
// come; the run does not wait for their answers (the page runs it again when
// an answer or Cancel changes its course).
let core = null;

self.trevalcoMessage = (json, row) => postMessage({ kind: 'message', message: JSON.parse(json), row });
self.trevalcoProgress = (what, value, text) => postMessage({ kind: 'progress', what, value, text });

const ready = TrevalcoCore().then((module) => { core = module; postMessage({ kind: 'ready' }); });

const folder = '/libros';

// The workbook chosen, alone in the folder, which is the module's working
// folder so that messages name the file as the user chose it.
function load(name, bytes) {
  try {
    for (const old of core.FS.readdir(folder)) if (old !== '.' && old !== '..') core.FS.unlink(folder + '/' + old);
  } catch (e) {
    core.FS.mkdir(folder);
  }
  core.FS.chdir(folder);
  core.FS.writeFile(name, new Uint8Array(bytes));
}

// What the module could not survive (out of memory, above all) ends it: the
// page is told, and starts a new worker.
const failed = (error) => postMessage({ kind: 'failed', text: String(error && error.message || error) });
self.addEventListener('error', (event) => failed(event.message));
self.addEventListener('unhandledrejection', (event) => failed(event.reason));

onmessage = async (event) => {
  const m = event.data;
  await ready;
  if (m.kind === 'point') {
    const out = core.ccall('trevalco_point', 'string',
      ['number', 'string', 'string', 'number', 'number', 'string', 'string'],
      [m.notation, m.texts.join('\x1f'), m.direction, m.forcedCheck, m.zoneButton, m.decimal, m.group]);
    postMessage({ kind: 'point', outcome: JSON.parse(out) });
  } else if (m.kind === 'workbook') {
    load(m.name, m.bytes);
    const out = core.ccall('trevalco_sheets', 'string', ['string'], [m.name]);
    postMessage({ kind: 'sheets', path: m.name, listing: JSON.parse(out) });
  } else if (m.kind === 'batch') {
    load(m.path, m.bytes);
    const started = performance.now();
    const out = core.ccall('trevalco_batch', 'string',
      ['string', 'string', 'number', 'string', 'string', 'number', 'number', 'string', 'string', 'string', 'number'],
      [m.path, m.sheet, m.page, m.combos.join('\x1f'), m.direction, m.forcedCheck, m.zoneButton, m.decimal, m.group,
        m.answers, m.stopAfter]);
    const result = JSON.parse(out);
    let bytes = null;
    // The output goes to the page, which offers it for download: the worker
    // keeps no copy, so memory holds one workbook at a time and the next run
    // on the same file finds no earlier output to ask about.
    if (result.output) { bytes = core.FS.readFile(result.output); core.FS.unlink(result.output); }
    postMessage({ kind: 'done', result, bytes, seconds: (performance.now() - started) / 1000 },
      bytes ? [bytes.buffer] : []);
  }
};
