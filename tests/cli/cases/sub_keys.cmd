keys
--json
ur
