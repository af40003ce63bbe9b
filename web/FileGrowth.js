// Runs inside the module. Files in memory grow by doubling, as the memory
// file system does below 1 MB, instead of by an eighth above it: a workbook
// written there otherwise costs copying its bytes about eight times over.
MEMFS.expandFileStorage = function (node, newCapacity) {
  const previous = node.contents ? node.contents.length : 0;
  if (previous >= newCapacity) return;
  const contents = new Uint8Array(Math.max(newCapacity, previous * 2, 256));
  if (node.usedBytes > 0) contents.set(node.contents.subarray(0, node.usedBytes), 0);
  node.contents = contents;
};
