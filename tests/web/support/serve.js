// A folder served on 127.0.0.1 by the project's own small server
// (scripts/support/serve.mjs) for as long as a test needs it.
const { spawn } = require('node:child_process');
const path = require('node:path');
const readline = require('node:readline');

// { address, stop() } of `folder` served at `port` (any free one by
// default); stop() resolves once the server has ended, at once if it has.
async function serve(folder, port = 0) {
  const server = spawn(process.execPath, [path.join(__dirname, '../../../scripts/support/serve.mjs'), folder, `${port}`],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const ended = new Promise((resolve) => server.once('exit', resolve));
  const address = await Promise.race([
    new Promise((resolve) => readline.createInterface({ input: server.stdout }).once('line', resolve)),
    ended.then((code) => { throw new Error(`the server of ${folder} ended with status ${code}`); }),
  ]);
  return {
    address,
    stop: async () => {
      if (server.exitCode === null && server.signalCode === null) server.kill();
      await ended;
    },
  };
}

module.exports = { serve };
