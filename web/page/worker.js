// The page's worker: the core module above, the point tab and the workbook
// runs behind messages. A run's questions go to the page and wait for its
// answer; Cancel arrives while the run lets messages in.
let core = null;
let pendingAnswer = null;
let cancelled = false;

self.trevalcoAsk = (json) => new Promise((resolve) => {
  pendingAnswer = resolve;
  postMessage({ kind: 'ask', message: JSON.parse(json) });
});
self.trevalcoProgress = (what, value, text) => postMessage({ kind: 'progress', what, value, text });
self.trevalcoCancelled = () => cancelled;

const ready = TrevalcoCore().then((module) => { core = module; postMessage({ kind: 'ready' }); });

const folder = '/libros';

function fresh() {
  try {
    for (const name of core.FS.readdir(folder)) if (name !== '.' && name !== '..') core.FS.unlink(folder + '/' + name);
  } catch (e) {
    core.FS.mkdir(folder);
  }
}

// What the module could not survive (out of memory, above all) ends it: the
// page is told, and starts a new worker.
const failed = (error) => postMessage({ kind: 'failed', text: String(error && error.message || error) });
self.addEventListener('error', (event) => failed(event.message));
self.addEventListener('unhandledrejection', (event) => failed(event.reason));

onmessage = async (event) => {
  const m = event.data;
  if (m.kind === 'answer') { const answer = pendingAnswer; pendingAnswer = null; if (answer) answer(m.ok ? 1 : 0); return; }
  if (m.kind === 'cancel') { cancelled = true; return; }
  await ready;
  if (m.kind === 'point') {
    const out = core.ccall('trevalco_point', 'string',
      ['number', 'string', 'string', 'number', 'number', 'string', 'string'],
      [m.notation, m.texts.join('\x1f'), m.direction, m.forcedCheck, m.zoneButton, m.decimal, m.group]);
    postMessage({ kind: 'point', outcome: JSON.parse(out) });
  } else if (m.kind === 'workbook') {
    fresh();
    // Worked on in the folder itself, so that messages name the file as the
    // user chose it.
    core.FS.chdir(folder);
    const path = m.name;
    core.FS.writeFile(path, new Uint8Array(m.bytes));
    const out = core.ccall('trevalco_sheets', 'string', ['string'], [path]);
    postMessage({ kind: 'sheets', path, listing: JSON.parse(out) });
  } else if (m.kind === 'batch') {
    cancelled = false;
    const started = performance.now();
    const out = await core.ccall('trevalco_batch', 'string',
      ['string', 'string', 'number', 'string', 'string', 'number', 'number', 'string', 'string'],
      [m.path, m.sheet, m.page, m.combos.join('\x1f'), m.direction, m.forcedCheck, m.zoneButton, m.decimal, m.group],
      { async: true });
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
