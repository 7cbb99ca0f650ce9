check
--json
